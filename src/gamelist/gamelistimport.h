#pragma once

#include <cstdio>

#include "gamelist.h"

// Reads the emulator's full game list (a header line, then one
// `shortname  "Title"` line per game), fills `list` and sorts it by
// shortname. Lines without a shortname or title, and shortnames too long
// for an entry, are skipped; titles too long are cut. Returns false, with
// the table full and unsorted, when the list holds more games than fit.
bool importgamelist(std::FILE* file, gamelist& list);
