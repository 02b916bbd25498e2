#pragma once

#include "gamelist/gamelist.h"
#include "gamelist/titleindex.h"
#include "checks/dialect.h"
#include "checks/finding.h"
#include "text/line.h"

// First pass: ties every cheat line's shortname and block title to the
// emulator's game list, then tells of the games without cheats and those
// whose title never matched. Reads up to the end marker or the end of the
// file. A title mismatch is told at the line that opens the first block
// naming its game (its title line, or the cheat line itself when no title
// line came before). With `titles`, an unlisted shortname's finding names
// the listed games that carry its block's title; with `fixes` too, the
// pass tells of the block titles and shortnames it can fix for certain.
// `rules` tells which lines are cheat lines, what their shortnames are and
// how they are looked up.
void runcrosscheck(linereader& reader, gamelist& list, findingsink& out, const titleindex* titles = nullptr,
                   bool fixes = false, const dialect& rules = classicdialect());
