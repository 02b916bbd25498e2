#pragma once

#include <cstddef>
#include <cstdint>

// True when each of the first `length` characters is 0-9 or A-F; lower
// case is not hexadecimal in a cheat file.
bool isitvalidhex(const char* text, std::size_t length);

// Reads valid hexadecimal as a signed 32-bit value; anything above
// 0x7FFFFFFF reads as 0x7FFFFFFF.
std::int32_t hexvalue(const char* text, std::size_t length);
