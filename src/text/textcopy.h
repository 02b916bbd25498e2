#pragma once

#include <cstddef>
#include <string_view>

// Copies at most `capacity` characters of `text` into `field` and ends it
// with a terminator, so `field` needs room for capacity + 1. Returns the
// number of characters copied.
std::size_t copytext(char* field, std::size_t capacity, std::string_view text);
