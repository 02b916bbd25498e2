#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

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

// Takes the next field of a cheat line from `c`, checks it and reads its
// value in the same pass: every field of every cheat line comes through
// here. Colons before it are skipped; it ends at the next colon or at
// `end`, where `c` is left. A missing field is empty and fails.
checkedfield readfield(const char*& c, const char* end, std::size_t minimum, std::size_t maximum);
