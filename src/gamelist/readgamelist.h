#pragma once

#include <cstdio>
#include <string_view>

#include "gamelist.h"
#include "listproblem.h"

enum class listformat { listfull, xml, clrmamepro };

// The format of a list from its first bytes: markup is XML (-listxml or a
// Logiqx DAT), a word followed by '(' a ClrMamePro DAT or -listinfo, and
// anything else -listfull text.
listformat recogniselist(std::string_view start);

struct listreading {
    bool readfailed = false;  // the file could not be read to its end
    listproblem problem;      // what was read is no game list of its format
};

// Reads a game list whole into `list` and finishes it. The format is told
// from the content when `recognise` is set, and is -listfull text
// otherwise. A byte-order mark is taken in every format (listsource.h).
listreading readgamelist(std::FILE* file, gamelist& list, bool recognise);
