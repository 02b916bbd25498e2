#include "hexfield.h"

#include <array>

#include "cheatfile/eightbytes.h"

namespace {

constexpr std::int8_t notadigit = -1;
constexpr std::uint32_t largest = 0x7FFFFFFF;

constexpr std::array<std::int8_t, 256> makedigitvalues() {
    std::array<std::int8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'   ? static_cast<std::int8_t>(c - '0')
                    : c >= 'A' && c <= 'F' ? static_cast<std::int8_t>(c - 'A' + 10)
                                           : notadigit;
    }
    return values;
}

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

checkedfield readfield(const char*& c, const char* end, std::size_t minimum, std::size_t maximum) {
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
        int digit = digitvalue(*c);
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
