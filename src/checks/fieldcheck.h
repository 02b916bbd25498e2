#pragma once

#include "checks/finding.h"
#include "text/line.h"

// Third pass: holds every cheat line to its block's shortname and checks
// the type, address, data and extended fields for size, characters and
// suspicious values, telling of each failed rule on its own. Reads up to
// the end marker or the end of the file; each line read is told to the
// sink first. With `fixes`, tells of the fields it can fix for certain.
void runfieldcheck(linereader& reader, findingsink& out, bool fixes = false);
