#pragma once

#include <string_view>
#include <vector>

// The known name a mistyped `given` most likely meant, for "did you mean"
// hints, or empty when none is close: the nearest by edit distance (a
// letter added, dropped, changed, or two swapped; case counts for nothing)
// when that is at most 2 and at most a third of the longer name, else the
// one known name that `given` (three letters or more) begins.
std::string_view closestname(std::string_view given, const std::vector<std::string_view>& known);
