#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/eightbytes.h"

// True when each of the first `length` characters is 0-9 or A-F; lower
// case is not hexadecimal in a cheat file.
bool isitvalidhex(const char* text, std::size_t length);

// A field of a cheat line with its check and its value.
struct checkedfield {
    std::string_view text;
    bool passed = false;     // its size is within bounds and it is hexadecimal
    std::int32_t value = 1;  // when passed; anything above 0x7FFFFFFF reads as
                             // 0x7FFFFFFF. A failed field keeps 1, so it never
                             // counts as zero.
};

namespace hexdigits {

constexpr std::int8_t notadigit = -1;
constexpr std::uint32_t largest = 0x7FFFFFFF;

constexpr std::array<std::int8_t, 256> makevalues() {
    std::array<std::int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                    : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                           : notadigit;
    }
    return values;
}

inline constexpr std::array<std::int8_t, 256> values = makevalues();

inline int of(char c) { return values[static_cast<unsigned char>(c)]; }

}  // namespace hexdigits

// Takes the next field of a cheat line from `c`, checks it and reads its
// value in the same pass: every field of every cheat line comes through
// here. Colons before it are skipped; it ends at the next colon or at
// `end`, where `c` is left. A missing field is empty and fails.
inline checkedfield readfield(const char*& c, const char* end, std::size_t minimum, std::size_t maximum) {
    using namespace hexdigits;
    while (c != end && *c == ':') {
        ++c;
    }
    const char* start = c;
    checkedfield field;
    // Most fields are short runs of digits: eight characters at once. It
    // needs a ninth to see where a run of eight ends.
    if (end - c >= 9) {
        std::uint64_t word = loadeight(c);
        int digits = unmarkedbefore(nothexmarks(word));
        if (digits < 8 || c[8] == ':') {
            c += digits;
            field.text = std::string_view(start, static_cast<std::size_t>(digits));
            if (digits < 8 && *c != ':') {
                while (c != end && *c != ':') ++c;  // not hexadecimal: it fails
                field.text = std::string_view(start, static_cast<std::size_t>(c - start));
            } else if (field.text.size() >= minimum && field.text.size() <= maximum) {
                std::uint32_t value = digits == 0 ? 0 : hexvalue(word) >> (32 - 4 * digits);
                field.passed = true;
                field.value = static_cast<std::int32_t>(value > largest ? largest : value);
            }
            return field;
        }
    }
    std::uint32_t total = 0;
    bool hexadecimal = true;
    bool saturated = false;
    for (; c != end && *c != ':'; ++c) {
        int digit = of(*c);
        hexadecimal = hexadecimal && digit != notadigit;
        // Past this, one more digit would pass the largest value; once
        // there, the value stays the largest.
        saturated = saturated || total > (largest >> 4);
        total = (total << 4) | static_cast<std::uint32_t>(digit & 0xF);
    }
    field.text = std::string_view(start, static_cast<std::size_t>(c - start));
    if (hexadecimal && field.text.size() >= minimum && field.text.size() <= maximum) {
        field.passed = true;
        field.value = static_cast<std::int32_t>(saturated ? largest : total);
    }
    return field;
}
