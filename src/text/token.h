#pragma once

#include <string_view>

// Cuts the next token from `rest`: delimiters standing before it are
// skipped, and the token ends at the next delimiter (consumed) or at the
// end of the text. False when only delimiters remain.
bool nexttoken(std::string_view& rest, char delimiter, std::string_view& token);
