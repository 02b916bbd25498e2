#pragma once

#include <cstdio>

#include "gamelist/gamelist.h"
#include "report/diagnostics.h"

struct runfiles {
    std::FILE* gamelistfile;
    std::FILE* cheatfile;
    std::FILE* results;
    std::FILE* warnings;
    std::FILE* console;                 // nothing is shown when null
    diagnostics* findings = nullptr;  // every finding at its line, when set
};

struct runstatus {
    bool toomanygames = false;  // the run stopped after the import
    bool gamelistreadfailed = false;
    bool cheatfilereadfailed = false;
    bool seriousissue = false;  // the results report has findings
};

// Everything between opening the files and the completion message: the
// import, the report headers, the three passes and the closing summary.
runstatus runphases(const runfiles& files, gamelist& list);
