#pragma once

enum class linekind { endmarker, title, cheat, other };

// Classifies a cheat file line by its first characters.
linekind classify(const char* text);
