#pragma once

#include <cstddef>
#include <string_view>

// Copies at most `capacity` characters of `text` into `field` and ends it
// with a terminator, so `field` needs room for capacity + 1. Returns the
// number of characters copied.
std::size_t copytext(char* field, std::size_t capacity, std::string_view text);

// Turns the hexadecimal letters a-f of `text` into A-F, in place.
inline void uppercasehex(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] >= 'a' && text[i] <= 'f') text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
}
