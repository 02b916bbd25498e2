#pragma once

#include <string>
#include <string_view>
#include <vector>

// The known name closest to a mistyped one, for "did you mean ...?": the
// one fewest edits away (a letter added, dropped, changed or two swapped),
// if that is few for its length; empty when none is close.
std::string closestname(std::string_view given, const std::vector<std::string_view>& known);
