#pragma once

#include <cstddef>

// A name or a title of a structured list (XML, ClrMamePro) is one line of
// text: the control characters a reference or an escape may put in it (a
// line feed, an ESC) become blanks, so that no report entry or console
// line is split or moves the terminal. -listfull text, one game a line,
// is taken as it is.
inline void blankcontrols(char* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) text[i] = ' ';
    }
}
