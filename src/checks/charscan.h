#pragma once

#include <cstdio>

#include "report/report.h"

// Second pass: reports every line holding a byte above 0x7F, reading to
// the end of the file whatever the lines are.
void runcharscan(std::FILE* cheatfile, report& out);
