// vettle: audits a MAME cheat.dat against the emulator's game list.
// Run without arguments in the folder that holds mame.exe and cheat.dat;
// options (options.h) name other inputs. Exit codes: see exitcodes.h.

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "console.h"
#include "exitcodes.h"
#include "host.h"
#include "options.h"
#include "runphases.h"

namespace {

constexpr char emulatorcommand[256] = "mame.exe -listfull >vettletemp.tmp";
constexpr char gamelistname[128] = "vettletemp.tmp";
constexpr char cheatfilename[128] = "cheat.dat";
constexpr char resultsname[128] = "cheatscanresults.txt";
constexpr char warningsname[128] = "cheatscanwarnings.txt";

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
std::FILE* openinput(const char* name) {
    std::FILE* file = std::fopen(name, "rb");
    return file != nullptr ? readable(file) : nullptr;
}

// Emptied, or made, through one handle and written through another: ext4
// writes a file emptied and then rewritten through the same handle to disk
// when that handle closes, so a large report would wait for the disk. What
// the file holds at any moment is the same either way.
std::FILE* openreport(const char* name) {
    std::FILE* file = std::fopen(name, "w");
    if (file == nullptr) return nullptr;
    std::fclose(file);
    file = std::fopen(name, "r+");
    return file != nullptr ? file : std::fopen(name, "w");
}

// The file the run would write or remove that `input` is, if any: an
// input is only ever read. A temporary file that is a link may go; only
// the link is removed.
const char* outputthatis(const char* input, bool removestemp) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const char* report : {resultsname, warningsname}) {
        if (fs::equivalent(input, report, error)) return report;
    }
    if (removestemp && !fs::is_symlink(gamelistname, error) && fs::equivalent(input, gamelistname, error)) {
        return gamelistname;
    }
    return nullptr;
}

// Has the emulator write its game list into the temporary file, through
// the command interpreter, or, when a program is named, without one.
// False when the temporary file cannot be made anew.
bool runemulator(const char* program, const console& say) {
    // An old list must never pass for the emulator's answer, and the
    // emulator's output must never land in another file through a link.
    if (!removefile(gamelistname)) return false;
    int code = 0;
    if (program == nullptr) {
        code = runcommand(emulatorcommand);
    } else {
        programrun run = runprogram(program, "-listfull", gamelistname);
        if (run.outcome == programrun::nooutput) return false;
        if (run.outcome == programrun::notstarted) say.emulatornotstarted(program, run.why);
        code = run.outcome == programrun::ran ? run.exitcode : 0;
    }
    if (code == 1) say.emulatorfailed();
    return true;
}

// False when anything written to the report may be missing.
bool closereport(std::FILE* file) {
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

// Names every input not read to its end and every report not written in
// full. Returns the exit code: completed only when nothing failed.
int reportfaults(const runstatus& status, const char* listname, const char* cheatname, bool resultswritten,
                 bool warningswritten, const console& say) {
    struct fault {
        bool happened;
        const char* what;
        const char* name;
        const char* consequence;
        int code;
    };
    const fault faults[] = {
        {status.gamelistreadfailed, "read all of", listname, "The reports are incomplete.", exitcode::readfailed},
        {status.cheatfilereadfailed, "read all of", cheatname, "The reports are incomplete.", exitcode::readfailed},
        {!resultswritten, "write to", resultsname, "The report is incomplete.", exitcode::writefailed},
        {!warningswritten, "write to", warningsname, "The report is incomplete.", exitcode::writefailed},
    };
    int code = exitcode::completed;
    for (const fault& f : faults) {
        if (f.happened) {
            say.failed(f.what, f.name, f.consequence);
            if (code == exitcode::completed) {
                code = f.code;
            }
        }
    }
    return code;
}

int runcheck(const options& chosen) {
    const console say(chosen.diagnostics);
    say.banner();

    const bool fromemulator = chosen.gamelist == nullptr;
    const bool fromstdin = !fromemulator && std::string_view(chosen.gamelist) == "-";
    const char* listname = fromemulator ? gamelistname : chosen.gamelist;
    const char* cheatname = chosen.cheatfile != nullptr ? chosen.cheatfile : cheatfilename;
    for (const char* input : {cheatname, fromemulator || fromstdin ? nullptr : listname}) {
        const char* output = input != nullptr ? outputthatis(input, fromemulator) : nullptr;
        if (output != nullptr) {
            say.cannotopen(output, "It is the same file as '%s', which is only ever read.", input);
            return exitcode::cannotopen;
        }
    }

    if (fromemulator && !runemulator(chosen.emulator, say)) {
        say.cannotopen(gamelistname);
        return exitcode::cannotopen;
    }

    // Files already open when one fails are left for the process's end.
    std::FILE* gamelistfile = nullptr;
    if (fromstdin) {
        makestdinbinary();
        gamelistfile = readable(stdin);
    } else {
        gamelistfile = openinput(listname);
    }
    if (gamelistfile == nullptr) {
        say.cannotopen(fromstdin ? "-" : listname);
        return exitcode::cannotopen;
    }
    // Read three times: a pipe, which gives its bytes once, is refused
    // before anything is written rather than checked in part.
    std::FILE* cheatfile = std::fopen(cheatname, "rb");
    if (cheatfile != nullptr && std::fseek(cheatfile, 0, SEEK_CUR) != 0) {
        say.cannotopen(cheatname, "It must be a file that can be read three times, not a pipe.");
        return exitcode::cannotopen;
    }
    cheatfile = cheatfile != nullptr ? readable(cheatfile) : nullptr;
    std::FILE* results = cheatfile != nullptr ? openreport(resultsname) : nullptr;
    std::FILE* warnings = results != nullptr ? openreport(warningsname) : nullptr;
    if (warnings == nullptr) {
        say.cannotopen(cheatfile == nullptr ? cheatname : results == nullptr ? resultsname : warningsname);
        return exitcode::cannotopen;
    }

    static gamelist list;
    diagnostics findings(stdout, cheatname);
    runstatus status = runphases({gamelistfile, cheatfile, results, warnings, say.transcript(),
                                  chosen.diagnostics ? &findings : nullptr},
                                 list);
    if (status.toomanygames) {
        // Dropping games would report all their cheats as ones to remove.
        say.toomanygames(maxgames);
        return exitcode::toomanygames;
    }

    // A cut report must never be announced as a completed check.
    bool resultswritten = closereport(results);
    bool warningswritten = closereport(warnings);
    int code = reportfaults(status, listname, cheatname, resultswritten, warningswritten, say);
    if (code != exitcode::completed) {
        return code;
    }

    say.completed(resultsname, warningsname);
    if (gamelistfile != stdin) std::fclose(gamelistfile);
    if (fromemulator && !removefile(gamelistname)) say.tempnotdeleted(gamelistname);
    std::fclose(cheatfile);
    return chosen.strict && status.seriousissue ? exitcode::findings : exitcode::completed;
}

}  // namespace

int main(int argc, char** argv) {
    preparehost();
    options chosen = parseoptions(argc, argv);
    switch (chosen.what) {
        case options::action::usageerror:
            std::fputs("vettle: ", stderr);
            std::fprintf(stderr, chosen.problem, chosen.culprit);
            std::fputs("\nTry 'vettle --help'.\n", stderr);
            return exitcode::usage;
        case options::action::help:
            std::fputs(usagetext, stdout);
            return exitcode::completed;
        case options::action::version:
            std::fputs("vettle 0.11\n", stdout);
            return exitcode::completed;
        case options::action::check:
            break;
    }
    return runcheck(chosen);
}
