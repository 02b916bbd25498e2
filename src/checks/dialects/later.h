#pragma once

// What the two later loaders, FinalBurn Neo's and MAME 2003-Plus's, have in
// common: neither reads titles, and both read a-f as hexadecimal digits.

#include <cstdint>
#include <string_view>

#include "checks/checktable.h"
#include "text/hexdigits.h"

namespace later {

inline bool usual(checkid check) {
    return check != checkid::titlemismatch && check != checkid::nocheatentries && infoof(check).usual;
}

// The value of the hexadecimal digits `text` begins with, either case, as
// a C library's strtoul reads them into 32 bits.
inline std::uint32_t hexprefix(std::string_view text) {
    std::uint32_t value = 0;
    for (char c : text) {
        int digit = anycasehexvalue(c);
        if (digit < 0) break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

inline bool startswith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

}  // namespace later
