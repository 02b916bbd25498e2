#pragma once

#include <string>

#include "checks/checktable.h"

// What `vettle rule CHECK` prints: the check's name, severity, whether it
// is on by default, what it finds and why that matters, a line it flags,
// that line fixed where --fix fixes it (or how to fix it by hand), and
// whether --fix does. All of it from the check's row of the table.
std::string ruletext(const checkinfo& check);

// What `vettle rule --all` prints: a line a check, with its summary.
std::string allrulestext();
