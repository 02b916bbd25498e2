#pragma once

#include <cstdio>

#include "checks/finding.h"
#include "text/line.h"

// Second pass: tells of every line holding a byte above 0x7F, in the order
// of the file, also after the end marker. The first pass has noted where
// they are, so this goes back to each noted line, then reads on from the
// first one not noted, if any. False when the file could not be gone back
// in.
bool runcharscan(std::FILE* cheatfile, const highbytelines& noted, findingsink& out);
