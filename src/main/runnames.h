#pragma once

#include <string>

#include "options.h"

// The files of a run, by name.
struct runnames {
    std::string cheatfile;
    std::string gamelist;  // the temporary file, a saved list, or "-"
    bool fromemulator;     // the run makes the temporary file
    bool fromstdin;
    bool reports;          // the reports are written
    std::string results;
    std::string warnings;
    std::string baseline;       // an input, when given
    std::string writebaseline;  // an output, when given
    const char* onstdout;       // what standard output carries, in words
};

extern const char emulatorcommand[256];
extern const char tempname[128];

runnames namesof(const options& chosen);

