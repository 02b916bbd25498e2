#pragma once

#include "entrywriter.h"
#include "checks/checktable.h"

// A line for each check that found something, as `ruff --statistics` has
// it: the count, the check, its severity; biggest first, equal counts in
// the order of the checks. Then the totals by severity. A listed game
// without cheats counts as a note; the notes that go with an error count
// for nothing.
void writestatistics(reportwriter& out, const long long* counts);
