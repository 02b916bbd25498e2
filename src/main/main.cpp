// vettle: audits a MAME cheat.dat against the emulator's game list.
// Run without arguments in the folder that holds mame.exe and cheat.dat;
// options (options.h) name other inputs. Exit codes: see exitcodes.h.

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

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

int cannotopen(const char* name, const char* why = nullptr, const char* whyname = "") {
    std::printf("\nFailed to read from '%s'. Please check filename.\n", name);
    if (why != nullptr) {
        std::printf(why, whyname);
        std::printf("\n");
    }
    std::printf("\n");
    return exitcode::cannotopen;
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
bool runemulator(const char* program) {
    // An old list must never pass for the emulator's answer, and the
    // emulator's output must never land in another file through a link.
    if (!removefile(gamelistname)) return false;
    int code = 0;
    if (program == nullptr) {
        code = runcommand(emulatorcommand);
    } else {
        programrun run = runprogram(program, "-listfull", gamelistname);
        if (run.outcome == programrun::nooutput) return false;
        if (run.outcome == programrun::notstarted) {
            std::printf("Error can't run '%s': %s.\nCheck the emulator's filename and path are correct.\n", program,
                        run.why);
        }
        code = run.outcome == programrun::ran ? run.exitcode : 0;
    }
    if (code == 1) {
        std::fputs("Error can't get output from MAME.\n"
                   "Check the MAME.EXE filename and path are correct.\n",
                   stdout);
    }
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
                 bool warningswritten) {
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
            std::printf("\nFailed to %s '%s'. %s\n\n", f.what, f.name, f.consequence);
            if (code == exitcode::completed) {
                code = f.code;
            }
        }
    }
    return code;
}

int runcheck(const options& chosen) {
    std::fputs("Vettle v0.11\n"
               "Run with mame.exe and cheat.dat in the same directory\n"
               "\n"
               "Importing data from MAME\n",
               stdout);
    std::fflush(stdout);

    const bool fromemulator = chosen.gamelist == nullptr;
    const bool fromstdin = !fromemulator && std::string_view(chosen.gamelist) == "-";
    const char* listname = fromemulator ? gamelistname : chosen.gamelist;
    const char* cheatname = chosen.cheatfile != nullptr ? chosen.cheatfile : cheatfilename;
    for (const char* input : {cheatname, fromemulator || fromstdin ? nullptr : listname}) {
        const char* output = input != nullptr ? outputthatis(input, fromemulator) : nullptr;
        if (output != nullptr) return cannotopen(output, "It is the same file as '%s', which is only ever read.", input);
    }

    if (fromemulator && !runemulator(chosen.emulator)) return cannotopen(gamelistname);

    // Files already open when one fails are left for the process's end.
    std::FILE* gamelistfile = nullptr;
    if (fromstdin) {
        makestdinbinary();
        gamelistfile = readable(stdin);
    } else {
        gamelistfile = openinput(listname);
    }
    if (gamelistfile == nullptr) return cannotopen(fromstdin ? "-" : listname);
    // Read three times: a pipe, which gives its bytes once, is refused
    // before anything is written rather than checked in part.
    std::FILE* cheatfile = std::fopen(cheatname, "rb");
    if (cheatfile != nullptr && std::fseek(cheatfile, 0, SEEK_CUR) != 0) {
        return cannotopen(cheatname, "It must be a file that can be read three times, not a pipe.");
    }
    cheatfile = cheatfile != nullptr ? readable(cheatfile) : nullptr;
    if (cheatfile == nullptr) return cannotopen(cheatname);
    std::FILE* results = openreport(resultsname);
    if (results == nullptr) return cannotopen(resultsname);
    std::FILE* warnings = openreport(warningsname);
    if (warnings == nullptr) return cannotopen(warningsname);

    static gamelist list;
    runstatus status = runphases({gamelistfile, cheatfile, results, warnings, stdout}, list);
    if (status.toomanygames) {
        // Dropping games would report all their cheats as ones to remove.
        std::printf("\nMAME output lists more than %d games, the most this version can hold.\n"
                    "Nothing was checked.\n\n",
                    maxgames);
        return exitcode::toomanygames;
    }

    // A cut report must never be announced as a completed check.
    bool resultswritten = closereport(results);
    bool warningswritten = closereport(warnings);
    int code = reportfaults(status, listname, cheatname, resultswritten, warningswritten);
    if (code != exitcode::completed) {
        return code;
    }

    std::printf("\nCheat file check completed\nResults saved to %s and 'warnings' to %s\n", resultsname,
                warningsname);
    if (gamelistfile != stdin) std::fclose(gamelistfile);
    if (fromemulator && !removefile(gamelistname)) {
        std::printf("\nFailed to delete '%s'. The reports are complete.\n", gamelistname);
    }
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
