#include "console.h"

#include <string>

#include "text/escaped.h"
#include "version.h"

namespace {

// Says one problem on standard error: "vettle: error: ..." and the parts.
void problem(const char* severity, std::initializer_list<std::string> parts) {
    std::string text = std::string("vettle: ") + severity + ": ";
    for (const std::string& part : parts) text += part;
    text += "\n";
    std::fputs(text.c_str(), stderr);
}

// A sentence with a name at "%s", written without a format made of input.
std::string filledin(const char* sentence, const char* name) {
    std::string text = sentence;
    std::size_t at = text.find("%s");
    if (at != std::string::npos && name != nullptr) text.replace(at, 2, escaped(name));
    return text;
}

}  // namespace

void sayusage(const std::string& problem) {
    std::fputs(("vettle: " + escaped(problem) + "\nTry 'vettle --help'.\n").c_str(), stderr);
}

void console::banner() const {
    if (quiet_) return;
    std::fputs("Vettle v" VETTLE_VERSION "\n"
               "Run with mame.exe and cheat.dat in the same directory\n"
               "\n"
               "Importing data from MAME\n",
               stdout);
    std::fflush(stdout);
}

void console::emulatorfailed() const {
    if (quiet_) {
        problem("warning", {"can't get output from MAME; check the MAME.EXE filename and path are correct"});
    } else {
        std::fputs("Error can't get output from MAME.\n"
                   "Check the MAME.EXE filename and path are correct.\n",
                   stdout);
    }
}

void console::emulatornotstarted(const char* program, const char* why, bool named) const {
    if (quiet_) {
        problem("error", {"can't run '", escaped(program), "': ", why, "; nothing was checked"});
    } else if (named) {
        std::fputs(("Error can't run '" + escaped(program) + "': " + why +
                    ".\nCheck the emulator's filename and path are correct.\nNothing was checked.\n\n")
                       .c_str(),
                   stdout);
    } else {
        std::fputs("Error can't get output from MAME.\n"
                   "Check the MAME.EXE filename and path are correct.\n"
                   "Nothing was checked.\n\n",
                   stdout);
    }
}

void console::emulatorcrashed(const char* why) const {
    if (quiet_) {
        problem("error", {"MAME ended by ", why, ", so its game list is cut short; nothing was checked"});
    } else {
        std::fputs(("\nMAME ended by " + std::string(why) + ", so its game list is cut short.\nNothing was checked.\n\n")
                       .c_str(),
                   stdout);
    }
}

void console::cannotopen(const char* name, const char* reason, const char* other) const {
    std::string because = reason != nullptr ? filledin(reason, other) : std::string();
    if (quiet_) {
        problem("error", {"failed to read from '", escaped(name), "'", because.empty() ? "" : ". ", because});
        return;
    }
    std::string text = "\nFailed to read from '" + escaped(name) + "'. Please check filename.\n";
    if (!because.empty()) text += because + "\n";
    std::fputs((text + "\n").c_str(), stdout);
}

void console::failed(const char* what, const char* name, const char* consequence) const {
    if (quiet_) {
        problem("error", {"failed to ", what, " '", escaped(name), "'. ", consequence});
    } else {
        std::fputs(("\nFailed to " + std::string(what) + " '" + escaped(name) + "'. " + consequence + "\n\n").c_str(),
                   stdout);
    }
}

void console::unreadable(const char* what, const char* name, long long line, long long column,
                         const char* reason) const {
    // Line 0: about the file as a whole.
    std::string where = line == 0 ? "" : ":" + std::to_string(line) + ":" + std::to_string(column);
    std::string at = line == 0 ? "" : " at line " + std::to_string(line) + ", column " + std::to_string(column);
    if (quiet_) {
        problem("error", {escaped(name), where, ": ", escaped(reason), "; ", what, " cannot be read, nothing was checked"});
    } else {
        std::fputs(("\nFailed to read " + std::string(what) + " '" + escaped(name) + "'" + at + ": " + escaped(reason) +
                    ".\nNothing was checked.\n\n")
                       .c_str(),
                   stdout);
    }
}

void console::baselinehid(const char* name, long long hidden, long long gone) const {
    problem("note", {"the baseline '", escaped(name), "' hid ", std::to_string(hidden),
                     hidden == 1 ? " finding; " : " findings; ", std::to_string(gone),
                     gone == 1 ? " recorded finding is gone" : " recorded findings are gone"});
}

void console::completed(const char* results, const char* warnings) const {
    if (quiet_) return;
    std::fputs(("\nCheat file check completed\nResults saved to " + escaped(results) + " and 'warnings' to " +
                escaped(warnings) + "\n")
                   .c_str(),
               stdout);
}

void console::completedwithoutreports() const {
    if (quiet_) return;
    std::fputs("\nCheat file check completed\nNo reports were written (--no-reports)\n", stdout);
}

void console::tempnotdeleted(const char* name) const {
    if (quiet_) {
        problem("warning", {"failed to delete '", escaped(name), "'. The reports are complete."});
    } else {
        std::fputs(("\nFailed to delete '" + escaped(name) + "'. The reports are complete.\n").c_str(), stdout);
    }
}

void console::outputfailed(const char* why) const {
    problem("error", {"failed to write to standard output: ", why});
}
