#include "driver.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console.h"
#include "exitcodes.h"
#include "filerules.h"
#include "gamelist/readgamelist.h"
#include "gamelist/titleindex.h"
#include "host.h"
#include "report/baseline.h"
#include "report/diagnostics.h"
#include "report/patch.h"
#include "report/shown.h"
#include "report/statistics.h"
#include "runfiles.h"
#include "runnames.h"
#include "engine/runphases.h"

namespace {

// Has the emulator write its game list into the temporary file, through
// the command interpreter, or, when a program is named, without one.
programrun runemulator(const std::string& program, const console& say) {
    // An old list must never pass for the emulator's answer, and the
    // emulator's output must never land in another file through a link.
    if (!removefile(tempname)) return {programrun::nooutput, 0, ""};
    programrun run = program.empty() ? runcommand(emulatorcommand)
                                     : runprogram(program.c_str(), "-listfull", tempname);
    if (run.outcome == programrun::ran && run.exitcode == 1) say.emulatorfailed();
    return run;
}

// Names every output not written in full and the cheat file if it was not
// read to its end. Returns the exit code: completed only when nothing
// failed, an input read in part before an output written in part.
int reportfaults(const runstatus& status, const runnames& names, bool resultswritten, bool warningswritten,
                 bool baselinewritten, bool baselinekept, const console& say) {
    struct fault {
        bool happened;
        const char* what;
        const std::string& name;
        const char* consequence;
        int code;
    };
    const fault faults[] = {
        {status.cheatfilereadfailed, "read all of", names.cheatfile, "The reports are incomplete.",
         exitcode::readfailed},
        {!resultswritten, "write to", names.results, "The report is incomplete.", exitcode::writefailed},
        {!warningswritten, "write to", names.warnings, "The report is incomplete.", exitcode::writefailed},
        {!baselinewritten, "write to", names.writebaseline,
         baselinekept ? "The baseline is left as it was." : "The baseline is incomplete.", exitcode::writefailed},
    };
    int code = exitcode::completed;
    for (const fault& f : faults) {
        if (f.happened) {
            say.failed(f.what, f.name.c_str(), f.consequence);
            if (code == exitcode::completed) code = f.code;
        }
    }
    return code;
}

// The run from its list to its reports, once every input is open.
struct openrun {
    std::FILE* cheatfile = nullptr;
    std::FILE* results = nullptr;
    std::FILE* warnings = nullptr;
    std::optional<baselinewriter> record;
    wholeoutput recordfile;
    std::optional<baseline> known;
};

// The baseline's entries, before any output is touched. An exit code, or
// 0 when there is none or it is read.
int readbaseline(const runnames& names, openrun& run, const console& say) {
    if (names.baseline.empty()) return 0;
    std::FILE* file = openinput(names.baseline);
    if (file == nullptr) {
        say.cannotopen(names.baseline.c_str());
        return exitcode::cannotopen;
    }
    run.known.emplace();
    long long bad = run.known->read(file);
    std::fclose(file);
    if (bad != 0) {
        say.unreadable("the baseline", names.baseline.c_str(), bad, 1, "not a finding (CHECK, a tab, MESSAGE, a tab, LINE)");
        return exitcode::readfailed;
    }
    return 0;
}

// The reports and the baseline to write, every one known to open before
// any is emptied. An exit code, or 0 when all are open.
int openoutputs(const runnames& names, openrun& run, const console& say) {
    std::vector<std::string> outputs;
    if (names.reports) outputs = {names.results, names.warnings};
    if (!names.writebaseline.empty()) outputs.push_back(names.writebaseline);
    if (const std::string* failed = unwritable(outputs)) {
        say.cannotopen(failed->c_str());
        return exitcode::cannotopen;
    }
    if (names.reports) {
        run.results = openreport(names.results);
        run.warnings = run.results != nullptr ? openreport(names.warnings) : nullptr;
        if (run.warnings == nullptr) {
            say.cannotopen(run.results == nullptr ? names.results.c_str() : names.warnings.c_str());
            return exitcode::cannotopen;
        }
    }
    if (!names.writebaseline.empty()) {
        std::FILE* file = run.recordfile.open(names.writebaseline);
        if (file == nullptr) {
            say.cannotopen(names.writebaseline.c_str());
            return exitcode::cannotopen;
        }
        run.record.emplace(file);
    }
    return 0;
}

}  // namespace

int runcheck(const options& chosen) {
    const runnames names = namesof(chosen);
    // A patch names the cheat file from the folder it is applied in.
    std::string patched;
    if (chosen.diff && !patchpath(names.cheatfile, patched)) return exitcode::usage;
    if (stdoutrefused(names)) return exitcode::cannotopen;
    // Standard output carries findings, counts or a patch: a lost write
    // must be told, and is seen at once unbuffered.
    if (chosen.diagnostics || chosen.statistics || chosen.diff) std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (chosen.diff) makestdoutbinary();  // the patch's bytes as they are
    const console say(chosen.diagnostics || chosen.diff);
    say.banner();

    if (!chosen.reportdir.empty() && !isfolder(chosen.reportdir)) {
        say.cannotopen(chosen.reportdir.c_str(), "It must be an existing folder.");
        return exitcode::cannotopen;
    }
    if (refused(names, say)) return exitcode::cannotopen;

    programrun emulator{programrun::ran, 0, ""};
    if (names.fromemulator) {
        emulator = runemulator(chosen.emulator, say);
        if (emulator.outcome == programrun::nooutput) {
            say.cannotopen(tempname);
            return exitcode::cannotopen;
        }
        if (emulator.outcome == programrun::crashed) {
            say.emulatorcrashed(emulator.why);
            return exitcode::readfailed;
        }
        // No list at all: every cheat would be reported as one to remove.
        if (emulator.outcome == programrun::notstarted) {
            say.emulatornotstarted(chosen.emulator.empty() ? "mame.exe" : chosen.emulator.c_str(), emulator.why,
                                   !chosen.emulator.empty());
            return exitcode::readfailed;
        }
        // Now that it exists: a name that differs only in letter case, say.
        if (samefile(names.cheatfile, tempname, true)) {
            say.cannotopen(tempname, "It is the same file as '%s', which is only ever read.",
                           names.cheatfile.c_str());
            return exitcode::cannotopen;
        }
    }

    // Files already open when one fails are left for the process's end.
    std::FILE* gamelistfile = openlist(names);
    if (gamelistfile == nullptr) {
        say.cannotopen(names.gamelist.c_str());
        return exitcode::cannotopen;
    }
    openrun run;
    run.cheatfile = opencheatfile(names.cheatfile, say);
    if (run.cheatfile == nullptr) return exitcode::cannotopen;

    // The whole list is read before a report is touched: a list cut short
    // or stopped by an interrupt leaves the last run's reports as they are.
    // The format is told from the content for a list given by name; the
    // emulator's own output is -listfull text.
    static gamelist list;
    listreading reading = readgamelist(gamelistfile, list, !names.fromemulator);
    if (reading.readfailed) {
        say.failed("read all of", names.gamelist.c_str(), "Nothing was checked.");
        return exitcode::readfailed;
    }
    if (reading.problem.found) {
        const listproblem& problem = reading.problem;
        say.unreadable("the game list", names.gamelist.c_str(), problem.line, problem.column, problem.reason);
        return exitcode::readfailed;
    }
    if (int code = readbaseline(names, run, say)) return code;
    if (int code = openoutputs(names, run, say)) return code;

    reportwriter product(stdout);  // findings, counts or a patch
    std::optional<titleindex> titles;
    if (chosen.diagnostics || chosen.diff) titles.emplace(list);
    std::optional<patch> fixes;
    if (chosen.diff) fixes.emplace(list);
    std::optional<diagnostics> lines;
    if (chosen.diagnostics) lines.emplace(product, names.cheatfile, list, &*titles, names.reports ? names.results : "");
    showing asked;
    std::copy(std::begin(chosen.selected), std::end(chosen.selected), std::begin(asked.selected));
    asked.lines = lines ? &*lines : nullptr;
    asked.known = run.known ? &*run.known : nullptr;
    asked.record = run.record ? &*run.record : nullptr;
    shownfindings shown(asked);
    runstatus status = runphases({run.cheatfile, run.results, run.warnings, say.transcript()}, list, shown,
                                 titles ? &*titles : nullptr, fixes ? &*fixes : nullptr);
    if (fixes && !fixes->write(run.cheatfile, patched, product)) status.cheatfilereadfailed = true;

    // A cut report must never be announced as a completed check.
    bool resultswritten = run.results == nullptr || closereport(run.results);
    bool warningswritten = run.warnings == nullptr || closereport(run.warnings);
    bool baselinewritten = !run.record || run.recordfile.place(run.record->close(), !status.cheatfilereadfailed);
    if (run.known) say.baselinehid(names.baseline.c_str(), run.known->hidden(), run.known->gone(chosen.selected));
    int code = reportfaults(status, names, resultswritten, warningswritten, baselinewritten, run.recordfile.keepsold(),
                            say);
    if (code == exitcode::completed) {
        if (names.reports) {
            say.completed(names.results.c_str(), names.warnings.c_str());
        } else {
            say.completedwithoutreports();
        }
    }
    if (chosen.statistics) {
        if (!chosen.diagnostics) std::fputs("\n", stdout);  // apart from the transcript
        std::fflush(stdout);
        long long counts[checkcount];
        for (const checkinfo& check : checktable) counts[static_cast<int>(check.id)] = shown.shown(check.id);
        writestatistics(product, counts);
    }
    product.flush();
    if (product.failed() && !readerhasgone(product.error())) {
        say.outputfailed(errortext(product.error()).c_str());
        if (code == exitcode::completed) code = exitcode::writefailed;
    }
    if (code != exitcode::completed) return code;

    if (gamelistfile != stdin) std::fclose(gamelistfile);
    if (names.fromemulator && !removefile(tempname)) say.tempnotdeleted(tempname);
    std::fclose(run.cheatfile);
    return chosen.strict && shown.anyerror() ? exitcode::findings : exitcode::completed;
}
