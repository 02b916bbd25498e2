#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/eightbytes.h"
#include "text/hexdigits.h"

// A field of a cheat line with its check and its value.
struct checkedfield {
    std::string_view text;
    bool passed = false;     // its size is within bounds and it is hexadecimal
    std::int32_t value = 1;  // when passed; anything above 0x7FFFFFFF reads as
                             // 0x7FFFFFFF. A failed field keeps 1, so it never
                             // counts as zero.
};

// Anything above this reads as this.
constexpr std::uint32_t largestvalue = 0x7FFFFFFF;

// Takes the next field of a cheat line from `c`, checks it and reads its
// value in the same pass: every field of every cheat line comes through
// here. Colons before it are skipped; it ends at the next colon or at
// `end`, where `c` is left. A missing field is empty and fails.
inline checkedfield readfield(const char*& c, const char* end, std::size_t minimum, std::size_t maximum) {
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
                field.value = static_cast<std::int32_t>(value > largestvalue ? largestvalue : value);
            }
            return field;
        }
    }
    std::uint32_t total = 0;
    bool hexadecimal = true;
    bool saturated = false;
    for (; c != end && *c != ':'; ++c) {
        int digit = hexdigitvalue(*c);
        hexadecimal = hexadecimal && digit >= 0;
        // Past this, one more digit would pass the largest value; once
        // there, the value stays the largest.
        saturated = saturated || total > (largestvalue >> 4);
        total = (total << 4) | static_cast<std::uint32_t>(digit & 0xF);
    }
    field.text = std::string_view(start, static_cast<std::size_t>(c - start));
    if (hexadecimal && field.text.size() >= minimum && field.text.size() <= maximum) {
        field.passed = true;
        field.value = static_cast<std::int32_t>(saturated ? largestvalue : total);
    }
    return field;
}
