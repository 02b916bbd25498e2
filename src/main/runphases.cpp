#include "runphases.h"

#include "checks/charscan.h"
#include "checks/crosscheck.h"
#include "checks/fieldcheck.h"
#include "gamelist/gamelistimport.h"
#include "report/report.h"

namespace {

// A rewind clears the error flag, so each pass is checked before the next.
void notereaderror(std::FILE* file, bool& failed) {
    if (std::ferror(file)) {
        failed = true;
    }
}

// A file that cannot go back to its start would give the next pass nothing.
void rewindchecked(std::FILE* file, bool& failed) {
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        failed = true;
    }
    std::clearerr(file);
}

}  // namespace

runstatus runphases(const runfiles& files, gamelist& list) {
    runstatus status;
    std::FILE* console = files.console;
    std::fputs("Processing MAME Output\n", console);
    if (!importgamelist(files.gamelistfile, list)) {
        // Dropping games would report all their cheats as ones to remove.
        std::fprintf(console,
                     "\nMAME output lists more than %d games, the most this version can hold.\n"
                     "Nothing was checked.\n\n",
                     maxgames);
        status.toomanygames = true;
        return status;
    }
    notereaderror(files.gamelistfile, status.gamelistreadfailed);
    std::fprintf(console, "MAME output successfully processed - current version supports %d games\n\n",
                 list.count);

    report out{files.results, files.warnings, console};
    writeresultsheader(out, list.count);

    runcrosscheck(files.cheatfile, list, out);
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    rewindchecked(files.cheatfile, status.cheatfilereadfailed);
    runcharscan(files.cheatfile, out);
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    rewindchecked(files.cheatfile, status.cheatfilereadfailed);
    writewarningsheader(out, list.count);
    runfieldcheck(files.cheatfile, out);
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    writesummary(out);
    status.seriousissue = out.seriousissue;
    return status;
}
