#pragma once

#include "gamelist.h"
#include "text/line.h"

// Reads the emulator's -listfull output: a header line, then one
// `shortname  "Title"` line per game. Lines without a shortname and a
// title are skipped; a title ends at the next double quote, as the
// emulator prints none inside one. A line is read in pieces of 511
// characters (text/line.h), and each later piece of a long line is cut
// into tokens as a line of its own, as the emulator's own reader did.
void readlistfull(bytesource& source, gamelist& list);
