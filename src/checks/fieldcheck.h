#pragma once

#include "cheatfile/line.h"
#include "report/report.h"

// Third pass: holds every cheat line to its block's shortname and checks
// the type, address, data and extended fields for size, characters and
// suspicious values. Reads up to the end marker or the end of the file.
void runfieldcheck(linereader& reader, report& out);
