#pragma once

#include <cstdio>

#include "checks/dialect.h"
#include "gamelist/gamelist.h"
#include "gamelist/titleindex.h"
#include "report/patch.h"
#include "report/shown.h"

struct runfiles {
    std::FILE* cheatfile;
    std::FILE* results;   // no reports are written when these are null
    std::FILE* warnings;
    std::FILE* console;   // nothing is shown when null
};

struct runstatus {
    bool cheatfilereadfailed = false;
};

// Everything between reading the game list and the completion message:
// the report headers, the three passes and the closing summary. Every
// finding goes to the reports and to `shown`; `titles`, when given, lets
// an unlisted shortname name the listed games that carry its block's title.
// With `fixes` (and `titles`), the fixes of the selected checks go there.
// The passes read the file as `rules`, the dialect, has it.
runstatus runphases(const runfiles& files, gamelist& list, shownfindings& shown, const titleindex* titles = nullptr,
                    patch* fixes = nullptr, const dialect& rules = classicdialect());
