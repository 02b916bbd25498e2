#pragma once

#include "gamelist.h"
#include "text/line.h"

// Reads the emulator's -listfull output: a header line, then one
// `shortname  "Title"` line per game. Lines without a shortname and a
// title are skipped; a title ends at the next double quote, as the
// emulator prints none inside one.
void readlistfull(bytesource& source, gamelist& list);
