#pragma once

#include <cstdio>

#include "gamelist/gamelist.h"
#include "report/diagnostics.h"

struct runfiles {
    std::FILE* cheatfile;
    std::FILE* results;
    std::FILE* warnings;
    std::FILE* console;                 // nothing is shown when null
    diagnostics* findings = nullptr;  // every finding at its line, when set
};

struct runstatus {
    bool cheatfilereadfailed = false;
    bool fault = false;  // the results report has findings other than games without cheats
};

// Everything between reading the game list and the completion message:
// the report headers, the three passes and the closing summary.
runstatus runphases(const runfiles& files, gamelist& list);
