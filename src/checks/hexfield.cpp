#include "hexfield.h"

#include <array>

namespace {

constexpr std::int8_t notadigit = -1;

constexpr std::array<std::int8_t, 256> makedigitvalues() {
    std::array<std::int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                    : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                           : notadigit;
    }
    return values;
}

// A table, as every field of every cheat line passes through here.
constexpr std::array<std::int8_t, 256> digitvalues = makedigitvalues();

int digitvalue(char c) { return digitvalues[static_cast<unsigned char>(c)]; }

}  // namespace

bool isitvalidhex(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (digitvalue(text[i]) == notadigit) {
            return false;
        }
    }
    return true;
}

bool readhex(const char* text, std::size_t length, std::int32_t& value) {
    constexpr std::uint32_t largest = 0x7FFFFFFF;
    std::uint32_t total = 0;
    bool saturated = false;
    for (std::size_t i = 0; i < length; ++i) {
        int digit = digitvalue(text[i]);
        if (digit == notadigit) {
            return false;
        }
        // Past this, one more digit would pass the largest value; once
        // there, the value stays the largest.
        saturated = saturated || total > (largest >> 4);
        total = (total << 4) | static_cast<std::uint32_t>(digit);
    }
    value = static_cast<std::int32_t>(saturated ? largest : total);
    return true;
}
