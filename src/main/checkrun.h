#pragma once

#include "options.h"

// vettle check: each cheat file named (or found in a folder named) checked
// on its own against its game list, every finding shown as the diagnostics
// print it, then a summary that says why the run passed or failed. No
// report file is written. Returns the exit code.
int runpaths(const options& chosen);
