#pragma once

#include <cstdint>
#include <cstring>

// Eight characters of a line looked at as one 64-bit word, the first in the
// top byte, so the order of the bytes is the order of the text on any host.
// Marks are words with the top bit of some bytes set.

// Compilers fold this to a constant.
inline bool firstbytelow() {
    const std::uint16_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 1;
}

inline std::uint64_t loadeight(const char* c) {
    std::uint64_t word;
    std::memcpy(&word, c, 8);
    if (firstbytelow()) {  // compilers make this one byte-swap instruction
        word = ((word & 0x00FF00FF00FF00FFULL) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFULL);
        word = ((word & 0x0000FFFF0000FFFFULL) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFULL);
        word = (word << 32) | (word >> 32);
    }
    return word;
}

constexpr std::uint64_t everybyte(unsigned char value) { return 0x0101010101010101ULL * value; }

// How many bytes stand before the first marked one (8 when none is).
inline int unmarkedbefore(std::uint64_t marks) {
    marks |= marks >> 8;  // mark every byte after a marked one too
    marks |= marks >> 16;
    marks |= marks >> 32;
    return 8 - static_cast<int>(((marks >> 7) * everybyte(1)) >> 56);
}

// Marks the bytes equal to `value`.
inline std::uint64_t marksof(std::uint64_t word, unsigned char value) {
    std::uint64_t differ = word ^ everybyte(value);
    return ~(((differ & everybyte(0x7F)) + everybyte(0x7F)) | differ | everybyte(0x7F));
}

// Marks the bytes that are not 0-9 or A-F. A byte below 0x80 plus (0x80 -
// low) has its top bit set exactly when it is at least `low`.
inline std::uint64_t nothexmarks(std::uint64_t word) {
    std::uint64_t low = word & everybyte(0x7F);
    std::uint64_t digits = (low + everybyte(0x80 - '0')) & ~(low + everybyte(0x7F - '9'));
    std::uint64_t letters = (low + everybyte(0x80 - 'A')) & ~(low + everybyte(0x7F - 'F'));
    return (~(digits | letters) | word) & everybyte(0x80);
}

// The value of eight hexadecimal digits; other bytes give nonsense digits
// in their place.
inline std::uint32_t hexvalue(std::uint64_t word) {
    std::uint64_t letters = (word & everybyte(0x40)) >> 6;  // 'A' to 'F' are 0x41 to 0x46
    std::uint64_t digits = ((word & everybyte(0x0F)) + letters * 9) & everybyte(0x0F);
    digits = (digits | (digits >> 4)) & 0x00FF00FF00FF00FFULL;
    digits = (digits | (digits >> 8)) & 0x0000FFFF0000FFFFULL;
    digits = (digits | (digits >> 16)) & 0x00000000FFFFFFFFULL;
    return static_cast<std::uint32_t>(digits);
}
