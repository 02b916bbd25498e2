#pragma once

#include <string>
#include <vector>

#include "checks/checktable.h"

// What the command line asks for. Without arguments the run is the classic
// one: mame.exe through the command interpreter, cheat.dat, the console
// transcript, all in the current folder. An empty name is an option not
// given.
struct options {
    enum class action { check, help, version, usageerror };
    action what = action::check;

    std::string gamelist;   // a saved game list; "-" is standard input
    std::string emulator;   // run this instead of mame.exe, without an interpreter
    std::string cheatfile;  // instead of cheat.dat
    bool strict = false;       // shown errors fail the run
    bool diagnostics = false;  // findings as FILE:LINE:COLUMN: lines instead of the transcript
    bool statistics = false;   // a count of each check's findings at the end
    std::string baseline;       // hide the findings recorded here
    std::string writebaseline;  // record the shown findings here
    std::string reportdir;      // the reports go here instead of the current folder
    bool noreports = false;     // no reports at all
    bool diff = false;          // a patch of the certain fixes instead of the transcript

    // The checks shown and counted, after --select and --ignore.
    bool selected[checkcount];

    std::string problem;  // for a usage error: what is wrong, in a sentence
};

// `arguments` as the host gives them, the program's name first.
options parseoptions(const std::vector<std::string>& arguments);

// The text of --help.
std::string usagetext();
