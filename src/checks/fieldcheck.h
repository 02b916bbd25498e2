#pragma once

#include "fileorder.h"
#include "report/finding.h"
#include "text/line.h"

// Third pass: holds every cheat line to its block's shortname and checks
// the type, address, data and extended fields for size, characters and
// suspicious values, telling of each failed rule on its own. Reads up to
// the end marker or the end of the file; with `order`, which puts the
// findings of all three passes in the order of the file, on to the end of
// the file. With `fixes`, tells of the fields it can fix for certain.
void runfieldcheck(linereader& reader, findingsink& out, fileorder* order = nullptr, bool fixes = false);
