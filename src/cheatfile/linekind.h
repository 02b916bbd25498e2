#pragma once

#include <string_view>

enum class linekind { endmarker, title, cheat, other };

// Classifies a cheat file line by its first characters.
linekind classify(std::string_view text);
