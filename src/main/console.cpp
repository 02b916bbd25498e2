#include "console.h"

void console::banner() const {
    if (diagnostics_) return;
    std::fputs("Vettle v0.11\n"
               "Run with mame.exe and cheat.dat in the same directory\n"
               "\n"
               "Importing data from MAME\n",
               stdout);
    std::fflush(stdout);
}

void console::emulatorfailed() const {
    if (diagnostics_) {
        std::fputs("vettle: warning: can't get output from MAME; check the MAME.EXE filename and path are correct\n",
                   stderr);
    } else {
        std::fputs("Error can't get output from MAME.\n"
                   "Check the MAME.EXE filename and path are correct.\n",
                   stdout);
    }
}

void console::emulatornotstarted(const char* program, const char* why) const {
    if (diagnostics_) {
        std::fprintf(stderr, "vettle: warning: can't run '%s': %s\n", program, why);
    } else {
        std::printf("Error can't run '%s': %s.\nCheck the emulator's filename and path are correct.\n", program, why);
    }
}

void console::cannotopen(const char* name, const char* reason, const char* other) const {
    if (diagnostics_) {
        std::fprintf(stderr, "vettle: error: failed to read from '%s'", name);
        if (reason != nullptr) {
            std::fputs(". ", stderr);
            std::fprintf(stderr, reason, other);
        }
        std::fputs("\n", stderr);
        return;
    }
    std::printf("\nFailed to read from '%s'. Please check filename.\n", name);
    if (reason != nullptr) {
        std::printf(reason, other);
        std::printf("\n");
    }
    std::printf("\n");
}

void console::toomanygames(int limit) const {
    if (diagnostics_) {
        std::fprintf(stderr,
                     "vettle: error: MAME output lists more than %d games, the most this version can hold; "
                     "nothing was checked\n",
                     limit);
    } else {
        std::printf("\nMAME output lists more than %d games, the most this version can hold.\n"
                    "Nothing was checked.\n\n",
                    limit);
    }
}

void console::failed(const char* what, const char* name, const char* consequence) const {
    if (diagnostics_) {
        std::fprintf(stderr, "vettle: error: failed to %s '%s'. %s\n", what, name, consequence);
    } else {
        std::printf("\nFailed to %s '%s'. %s\n\n", what, name, consequence);
    }
}

void console::completed(const char* results, const char* warnings) const {
    if (diagnostics_) return;
    std::printf("\nCheat file check completed\nResults saved to %s and 'warnings' to %s\n", results, warnings);
}

void console::tempnotdeleted(const char* name) const {
    if (diagnostics_) {
        std::fprintf(stderr, "vettle: warning: failed to delete '%s'. The reports are complete.\n", name);
    } else {
        std::printf("\nFailed to delete '%s'. The reports are complete.\n", name);
    }
}
