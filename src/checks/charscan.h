#pragma once

#include <cstdio>

#include "text/line.h"
#include "report/report.h"

// Second pass: reports every line holding a byte above 0x7F, in the order
// of the file, also after the end marker. The first pass has noted where
// they are, so this goes back to each noted line, then reads on from the
// first one not noted, if any. False when the file could not be gone back
// in.
bool runcharscan(std::FILE* cheatfile, const highbytelines& noted, report& out);
