#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "alwaysinline.h"

// Short texts compared and copied without a call. Most texts compared or
// copied line by line are short (a shortname, a line number, a few words),
// and for those a call to memcmp or memcpy costs more than the work: up to
// 16 bytes are two loads that may overlap, never reaching past the text.

// Whether two texts hold the same bytes.
alwaysinline bool sametext(std::string_view a, std::string_view b) {
    std::size_t n = a.size();
    if (n != b.size()) return false;
    const char* x = a.data();
    const char* y = b.data();
    if (n > 16) return std::memcmp(x, y, n) == 0;
    if (n >= 8) {
        std::uint64_t x0, y0, x1, y1;
        std::memcpy(&x0, x, 8), std::memcpy(&y0, y, 8);
        std::memcpy(&x1, x + n - 8, 8), std::memcpy(&y1, y + n - 8, 8);
        return ((x0 ^ y0) | (x1 ^ y1)) == 0;
    }
    if (n >= 4) {
        std::uint32_t x0, y0, x1, y1;
        std::memcpy(&x0, x, 4), std::memcpy(&y0, y, 4);
        std::memcpy(&x1, x + n - 4, 4), std::memcpy(&y1, y + n - 4, 4);
        return ((x0 ^ y0) | (x1 ^ y1)) == 0;
    }
    // 0 to 3 bytes: the first, the middle and the last cover them all.
    return n == 0 || (x[0] == y[0] && x[n / 2] == y[n / 2] && x[n - 1] == y[n - 1]);
}

// Copies `text` to `at` and returns the end of the copy.
alwaysinline char* copyshort(char* at, std::string_view text) {
    std::size_t n = text.size();
    const char* from = text.data();
    if (n > 16) {
        std::memcpy(at, from, n);
    } else if (n >= 8) {
        std::uint64_t first, last;
        std::memcpy(&first, from, 8), std::memcpy(&last, from + n - 8, 8);
        std::memcpy(at, &first, 8), std::memcpy(at + n - 8, &last, 8);
    } else if (n >= 4) {
        std::uint32_t first, last;
        std::memcpy(&first, from, 4), std::memcpy(&last, from + n - 4, 4);
        std::memcpy(at, &first, 4), std::memcpy(at + n - 4, &last, 4);
    } else if (n > 0) {
        char first = from[0], middle = from[n / 2], last = from[n - 1];
        at[0] = first, at[n / 2] = middle, at[n - 1] = last;
    }
    return at + n;
}
