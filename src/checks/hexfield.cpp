#include "hexfield.h"

namespace {

int digitvalue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

bool isitvalidhex(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (digitvalue(text[i]) < 0) {
            return false;
        }
    }
    return true;
}

std::int32_t hexvalue(const char* text, std::size_t length) {
    constexpr std::int64_t largest = 0x7FFFFFFF;
    std::int64_t value = 0;
    for (std::size_t i = 0; i < length && value <= largest; ++i) {
        value = value * 16 + digitvalue(text[i]);
    }
    return static_cast<std::int32_t>(value > largest ? largest : value);
}
