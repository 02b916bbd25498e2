#pragma once

#include <cstddef>
#include <cstdint>

// True when each of the first `length` characters is 0-9 or A-F; lower
// case is not hexadecimal in a cheat file.
bool isitvalidhex(const char* text, std::size_t length);

// The same check and the value in one pass, as every field of every cheat
// line needs both: true, with the value as a signed 32-bit number, when the
// text is hexadecimal. Anything above 0x7FFFFFFF reads as 0x7FFFFFFF.
bool readhex(const char* text, std::size_t length, std::int32_t& value);
