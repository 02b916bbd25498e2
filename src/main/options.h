#pragma once

// What the command line asks for. Without arguments the run is the classic
// one: mame.exe through the command interpreter, cheat.dat, the console
// transcript, all in the current folder. Values point into argv.
struct options {
    enum class action { check, help, version, usageerror };
    action what = action::check;

    const char* gamelist = nullptr;   // a saved -listfull output; "-" is standard input
    const char* emulator = nullptr;   // run this instead of mame.exe, without an interpreter
    const char* cheatfile = nullptr;  // instead of cheat.dat
    bool strict = false;              // findings in the results report fail the run
    bool diagnostics = false;         // findings as FILE:LINE:COLUMN: lines instead of the transcript

    // For a usage error: what is wrong, with %s for the argument at fault.
    const char* problem = nullptr;
    const char* culprit = nullptr;
};

options parseoptions(int argc, char** argv);

// The text of --help.
extern const char* const usagetext;
