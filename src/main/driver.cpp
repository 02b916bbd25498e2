#include "driver.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "console.h"
#include "exitcodes.h"
#include "filerules.h"
#include "gamelist/readgamelist.h"
#include "host.h"
#include "runphases.h"

namespace {

constexpr char emulatorcommand[256] = "mame.exe -listfull >vettletemp.tmp";
constexpr char tempname[128] = "vettletemp.tmp";
constexpr char cheatfilename[128] = "cheat.dat";
constexpr char resultsname[128] = "cheatscanresults.txt";
constexpr char warningsname[128] = "cheatscanwarnings.txt";

// The files of a run, by name.
struct runnames {
    std::string cheatfile;
    std::string gamelist;  // the temporary file, a saved list, or "-"
    bool fromemulator;     // the run makes the temporary file
    bool fromstdin;
    std::string results;
    std::string warnings;
};

runnames namesof(const options& chosen) {
    runnames names;
    names.fromemulator = chosen.gamelist.empty();
    names.fromstdin = chosen.gamelist == "-";
    names.gamelist = names.fromemulator ? tempname : chosen.gamelist;
    names.cheatfile = chosen.cheatfile.empty() ? cheatfilename : chosen.cheatfile;
    names.results = resultsname;
    names.warnings = warningsname;
    return names;
}

// Refuses, before anything is written, any two names that are one file
// where that would write an input or write two outputs into one file, and
// a report that is a pipe (a run opens it twice).
bool refused(const runnames& names, const console& say) {
    struct output {
        std::string name;
        bool follow;  // a link of the temporary file's name is removed, not followed
    };
    std::vector<output> outputs = {{names.results, true}, {names.warnings, true}};
    if (names.fromemulator) outputs.push_back({tempname, false});
    std::vector<std::string> inputs = {names.cheatfile};
    if (!names.fromemulator && !names.fromstdin) inputs.push_back(names.gamelist);

    for (const output& out : outputs) {
        for (const std::string& input : inputs) {
            if (samefile(input, out.name, out.follow)) {
                say.cannotopen(out.name.c_str(), "It is the same file as '%s', which is only ever read.",
                               input.c_str());
                return true;
            }
        }
        if (names.fromstdin && stdinisfile(out.name.c_str())) {
            say.cannotopen(out.name.c_str(), "It is standard input, which is only ever read.");
            return true;
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const output& first = outputs[j];
            const output& second = outputs[i];
            if (samefile(first.name, second.name, second.follow)) {
                const std::string& report = second.follow ? second.name : first.name;
                const std::string& other = second.follow ? first.name : second.name;
                say.cannotopen(report.c_str(), "It is the same file as '%s'; each output needs a file of its own.",
                               other.c_str());
                return true;
            }
        }
    }
    for (const std::string* report : {&names.results, &names.warnings}) {
        if (ispipe(*report)) {
            say.cannotopen(report->c_str(), "It is a pipe; a report must be a file.");
            return true;
        }
    }
    return false;
}

// A file that cannot give even its first byte (a folder, say) counts as
// not opened, as it would on Windows.
std::FILE* readable(std::FILE* file) {
    int first = std::getc(file);
    if (std::ferror(file)) {
        std::fclose(file);
        return nullptr;
    }
    std::ungetc(first, file);
    return file;
}

// Inputs are read as bytes; the line reader turns CR LF into LF itself, so
// every host reads a file alike.
std::FILE* openinput(const std::string& name) {
    std::FILE* file = openfile(name.c_str(), "rb");
    return file != nullptr ? readable(file) : nullptr;
}

// Emptied, or made, through one handle and written through another: ext4
// writes a file emptied and then rewritten through the same handle to disk
// when that handle closes, so a large report would wait for the disk. What
// the file holds at any moment is the same either way. Anything but a file
// (a device) is opened once, as it is.
std::FILE* openreport(const std::string& name) {
    std::FILE* file = openfile(name.c_str(), "w");
    if (file == nullptr || !isregularornew(name)) return file;
    std::fclose(file);
    file = openfile(name.c_str(), "r+");
    return file != nullptr ? file : openfile(name.c_str(), "w");
}

// False when anything written to the report may be missing.
bool closereport(std::FILE* file) {
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

// Has the emulator write its game list into the temporary file, through
// the command interpreter, or, when a program is named, without one.
programrun runemulator(const std::string& program, const console& say) {
    // An old list must never pass for the emulator's answer, and the
    // emulator's output must never land in another file through a link.
    if (!removefile(tempname)) return {programrun::nooutput, 0, ""};
    programrun run = program.empty() ? runcommand(emulatorcommand)
                                     : runprogram(program.c_str(), "-listfull", tempname);
    if (run.outcome == programrun::notstarted && !program.empty()) say.emulatornotstarted(program.c_str(), run.why);
    if (run.outcome == programrun::ran && run.exitcode == 1) say.emulatorfailed();
    return run;
}

// Names every report not written in full and the cheat file if it was not
// read to its end. Returns the exit code: completed only when nothing
// failed, an input read in part before a report written in part.
int reportfaults(const runstatus& status, const runnames& names, bool resultswritten, bool warningswritten,
                 const console& say) {
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

}  // namespace

int runcheck(const options& chosen) {
    const bool product = chosen.diagnostics;  // standard output carries findings
    if (product) std::setvbuf(stdout, nullptr, _IONBF, 0);  // a failed write is seen at once
    const console say(product);
    say.banner();

    const runnames names = namesof(chosen);
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
        // Now that it exists: a name that differs only in letter case, say.
        if (samefile(names.cheatfile, tempname, false)) {
            say.cannotopen(tempname, "It is the same file as '%s', which is only ever read.",
                           names.cheatfile.c_str());
            return exitcode::cannotopen;
        }
    }

    // Files already open when one fails are left for the process's end.
    std::FILE* gamelistfile = nullptr;
    if (names.fromstdin) {
        makestdinbinary();
        gamelistfile = readable(stdin);
    } else {
        gamelistfile = openinput(names.gamelist);
    }
    if (gamelistfile == nullptr) {
        say.cannotopen(names.gamelist.c_str());
        return exitcode::cannotopen;
    }
    // Read three times: a pipe, which gives its bytes once, is refused
    // before anything is written rather than checked in part.
    std::FILE* cheatfile = openfile(names.cheatfile.c_str(), "rb");
    if (cheatfile != nullptr && std::fseek(cheatfile, 0, SEEK_CUR) != 0) {
        say.cannotopen(names.cheatfile.c_str(), "It must be a file that can be read three times, not a pipe.");
        return exitcode::cannotopen;
    }
    cheatfile = cheatfile != nullptr ? readable(cheatfile) : nullptr;
    if (cheatfile == nullptr) {
        say.cannotopen(names.cheatfile.c_str());
        return exitcode::cannotopen;
    }

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
        say.notagamelist(names.gamelist.c_str(), problem.line, problem.column, problem.reason);
        return exitcode::readfailed;
    }
    if (emulator.outcome == programrun::notstarted && chosen.emulator.empty() && list.count == 0) {
        say.emulatornotrun("mame.exe", emulator.why);
    }

    std::FILE* results = openreport(names.results);
    std::FILE* warnings = results != nullptr ? openreport(names.warnings) : nullptr;
    if (warnings == nullptr) {
        say.cannotopen(results == nullptr ? names.results.c_str() : names.warnings.c_str());
        return exitcode::cannotopen;
    }

    reportwriter diagnosticlines(stdout);
    diagnostics findings(diagnosticlines, names.cheatfile);
    runstatus status = runphases(
        {cheatfile, results, warnings, say.transcript(), chosen.diagnostics ? &findings : nullptr}, list);
    diagnosticlines.flush();

    // A cut report must never be announced as a completed check.
    bool resultswritten = closereport(results);
    bool warningswritten = closereport(warnings);
    int code = reportfaults(status, names, resultswritten, warningswritten, say);
    if (code == exitcode::completed && diagnosticlines.failed() && !readerhasgone(diagnosticlines.error())) {
        say.outputfailed(errortext(diagnosticlines.error()).c_str());
        code = exitcode::writefailed;
    }
    if (code != exitcode::completed) return code;

    say.completed(names.results.c_str(), names.warnings.c_str());
    if (gamelistfile != stdin) std::fclose(gamelistfile);
    if (names.fromemulator && !removefile(tempname)) say.tempnotdeleted(tempname);
    std::fclose(cheatfile);
    return chosen.strict && status.fault ? exitcode::findings : exitcode::completed;
}
