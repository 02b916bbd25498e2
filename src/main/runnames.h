#pragma once

#include <string>

#include "console.h"
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

// Refuses, before anything is written and with the console's words, any
// two names that are one file where that would write an input or write
// two outputs into one file, and a report that is a pipe (a run would
// wait for a reader). True when refused.
bool refused(const runnames& names, const console& say);

// Refuses standard output that is an input or an output of the run (a
// device such as /dev/null aside). Asked before the banner, and said on
// standard error alone: standard output is that file, and nothing is
// written into it. True when refused.
bool stdoutrefused(const runnames& names);
