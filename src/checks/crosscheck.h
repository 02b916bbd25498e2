#pragma once

#include "text/line.h"
#include "gamelist/gamelist.h"
#include "report/report.h"

// First pass: ties every cheat line's shortname and block title to the
// emulator's game list, then lists the games without cheats and those whose
// title never matched. Reads up to the end marker or the end of the file.
// With `firstblocks`, notes for every game with cheats the number of the
// line that opens the first block naming it: its title line, or the cheat
// line itself when no title line came before.
void runcrosscheck(linereader& reader, gamelist& list, report& out, long long* firstblocks = nullptr);
