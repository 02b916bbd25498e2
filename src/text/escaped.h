#pragma once

#include <string>
#include <string_view>

#include "hexdigits.h"
#include "textcollector.h"

// Names and titles from files and the command line as they are, but for
// control characters, written \xNN, so that a message stays one line and
// never moves the terminal.
template <class writer>
void putescaped(writer& out, std::string_view text) {
    std::size_t plain = 0;  // nearly always all of it
    while (plain < text.size() && static_cast<unsigned char>(text[plain]) >= 0x20 && text[plain] != 0x7F) ++plain;
    out.put(text.substr(0, plain));
    for (char c : text.substr(plain)) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            out.put("\\x");
            out.put(hexdigitchars[byte >> 4]);
            out.put(hexdigitchars[byte & 0xF]);
        } else {
            out.put(c);
        }
    }
}

// The same, as a string.
inline std::string escaped(std::string_view text) {
    textcollector out;
    putescaped(out, text);
    return out.text;
}
