#pragma once

#include <array>
#include <cstdint>

// Hexadecimal digits, the one place that says what they are. A cheat file
// knows 0-9 and A-F only; lists, escapes and the tool's own files may write
// a-f too.

constexpr char hexdigitchars[] = "0123456789ABCDEF";

namespace hexdetail {
constexpr std::array<std::int8_t, 256> makevalues(bool lowercase) {
    std::array<std::int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'                 ? static_cast<std::int8_t>(c - '0')
                    : c >= 'A' && c <= 'F'               ? static_cast<std::int8_t>(c - 'A' + 10)
                    : lowercase && c >= 'a' && c <= 'f' ? static_cast<std::int8_t>(c - 'a' + 10)
                                                         : -1;
    }
    return values;
}
inline constexpr std::array<std::int8_t, 256> uppercase = makevalues(false);
inline constexpr std::array<std::int8_t, 256> eithercase = makevalues(true);
}  // namespace hexdetail

// The digit's value, or -1: 0-9 and A-F.
inline int hexdigitvalue(char c) { return hexdetail::uppercase[static_cast<unsigned char>(c)]; }
inline bool ishexdigit(char c) { return hexdigitvalue(c) >= 0; }

// The same, a-f counting too.
inline int anycasehexvalue(char c) { return hexdetail::eithercase[static_cast<unsigned char>(c)]; }
inline bool isanycasehexdigit(char c) { return anycasehexvalue(c) >= 0; }
inline bool islowerhexletter(char c) { return c >= 'a' && c <= 'f'; }
