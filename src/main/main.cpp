// vettle: audits a MAME cheat.dat against the emulator's game list.
// Run without arguments in the folder that holds mame.exe and cheat.dat;
// options (options.h) name other inputs. Exit codes: see exitcodes.h.

#include <cstdio>
#include <string>
#include <vector>

#include "console.h"
#include "checkrun.h"
#include "driver.h"
#include "exitcodes.h"
#include "host.h"
#include "options.h"
#include "report/entrywriter.h"
#include "report/ruletext.h"
#include "version.h"

namespace {

// Help and version are the product here: a lost write is a failure.
int show(const char* text) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    entrywriter out(stdout);
    out.put(text);
    out.flush();
    if (out.failed() && !readerhasgone(out.error())) {
        std::fputs(("vettle: error: failed to write to standard output: " + errortext(out.error()) + "\n").c_str(),
                   stderr);
        return exitcode::writefailed;
    }
    return exitcode::completed;
}

}  // namespace

int main(int argc, char** argv) {
    preparehost();
    std::vector<std::string> arguments = hostarguments(argc, argv);
    options chosen = parseoptions(arguments);
    switch (chosen.what) {
        case options::action::usageerror:
            sayusage(chosen.problem);
            return exitcode::usage;
        case options::action::help:
            return show(usagetext().c_str());
        case options::action::version:
            return show("vettle " VETTLE_VERSION "\n");
        case options::action::checkpaths:
            return runpaths(chosen);
        case options::action::rule:
            return show((chosen.allrules ? allrulestext() : ruletext(*findcheck(chosen.rule))).c_str());
        case options::action::classic:
            break;
    }
    return runcheck(chosen);
}
