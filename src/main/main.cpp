// vettle: audits a MAME cheat.dat against the emulator's game list.
// Run without arguments in the folder that holds mame.exe and cheat.dat.
// Exit codes: see exitcodes.h.

#include <cstdio>

#include "exitcodes.h"
#include "host.h"
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

int cannotopen(const char* name, const char* why = nullptr) {
    std::printf("\nFailed to read from '%s'. Please check filename.\n", name);
    if (why != nullptr) std::printf("%s\n", why);
    std::printf("\n");
    return exitcode::cannotopen;
}

// False when anything written to the report may be missing.
bool closereport(std::FILE* file) {
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}

// Names every input not read to its end and every report not written in
// full. Returns the exit code: completed only when nothing failed.
int reportfaults(const runstatus& status, bool resultswritten, bool warningswritten) {
    struct fault {
        bool happened;
        const char* what;
        const char* name;
        const char* consequence;
        int code;
    };
    const fault faults[] = {
        {status.gamelistreadfailed, "read all of", gamelistname, "The reports are incomplete.",
         exitcode::readfailed},
        {status.cheatfilereadfailed, "read all of", cheatfilename, "The reports are incomplete.",
         exitcode::readfailed},
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

}  // namespace

int main() {
    preparehost();
    std::fputs("Vettle v0.11\n"
               "Run with mame.exe and cheat.dat in the same directory\n"
               "\n"
               "Importing data from MAME\n",
               stdout);
    std::fflush(stdout);
    // An old list must never pass for the emulator's answer, and the
    // emulator's output must never land in another file through a link.
    if (!removefile(gamelistname)) return cannotopen(gamelistname);
    if (runcommand(emulatorcommand) == 1) {
        std::fputs("Error can't get output from MAME.\n"
                   "Check the MAME.EXE filename and path are correct.\n",
                   stdout);
    }

    // Files already open when one fails are left for the process's end.
    std::FILE* gamelistfile = openinput(gamelistname);
    if (gamelistfile == nullptr) return cannotopen(gamelistname);
    // Read three times: a pipe, which gives its bytes once, is refused
    // before anything is written rather than checked in part.
    std::FILE* cheatfile = std::fopen(cheatfilename, "rb");
    if (cheatfile != nullptr && std::fseek(cheatfile, 0, SEEK_CUR) != 0) {
        return cannotopen(cheatfilename, "It must be a file that can be read three times, not a pipe.");
    }
    cheatfile = cheatfile != nullptr ? readable(cheatfile) : nullptr;
    if (cheatfile == nullptr) return cannotopen(cheatfilename);
    std::FILE* results = std::fopen(resultsname, "w");
    if (results == nullptr) return cannotopen(resultsname);
    std::FILE* warnings = std::fopen(warningsname, "w");
    if (warnings == nullptr) return cannotopen(warningsname);

    static gamelist list;
    runstatus status = runphases({gamelistfile, cheatfile, results, warnings, stdout}, list);
    if (status.toomanygames) {
        return exitcode::toomanygames;
    }

    // A cut report must never be announced as a completed check.
    bool resultswritten = closereport(results);
    bool warningswritten = closereport(warnings);
    int code = reportfaults(status, resultswritten, warningswritten);
    if (code != exitcode::completed) {
        return code;
    }

    std::printf("\nCheat file check completed\nResults saved to %s and 'warnings' to %s\n", resultsname,
                warningsname);
    std::fclose(gamelistfile);
    if (!removefile(gamelistname)) {
        std::printf("\nFailed to delete '%s'. The reports are complete.\n", gamelistname);
    }
    std::fclose(cheatfile);
    return exitcode::completed;
}
