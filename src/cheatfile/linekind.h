#pragma once

#include <string_view>

// The last four are lines only a dialect tells apart (checks/dialect.h):
// a header ": [ name ]", a comment of its own ("//", "#"), an engine
// command, a cheat line of the old layout without the leading colon.
enum class linekind { endmarker, title, cheat, other, header, comment, command, oldcheat };

// Classifies a cheat file line by its first characters, as the classic
// checks do.
linekind classify(std::string_view text);
