#pragma once

#include "options.h"

// The run: the emulator or a saved game list, the three passes over the
// cheat file, the reports and the console. Returns the exit code.
int runcheck(const options& chosen);
