#pragma once

#include "text/line.h"
#include "diagnosticpass.h"
#include "report/report.h"

// Third pass: holds every cheat line to its block's shortname and checks
// the type, address, data and extended fields for size, characters and
// suspicious values. Reads up to the end marker or the end of the file;
// with `diagnosis`, on to the end of the file, telling every finding of the
// three passes at its line.
void runfieldcheck(linereader& reader, report& out, diagnosticpass* diagnosis = nullptr);
