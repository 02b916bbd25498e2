#pragma once

// What the two later loaders, FinalBurn Neo's and MAME 2003-Plus's, have in
// common: neither reads titles, and both read a-f as hexadecimal digits.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "cheatfile/linekind.h"
#include "cheatfile/titleline.h"
#include "checks/checktable.h"
#include "text/line.h"
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

// Spelled out so that it stays inline: it runs on every line.
inline bool startswith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && std::memcmp(text.data(), start.data(), start.size()) == 0;
}

// What both make of a line before their own rules: a later piece of a long
// line or an empty line is no line of theirs, "; [" a title, any other ';'
// line a comment. False when it is none of these.
inline bool commonkind(const line& current, linekind& kind) {
    std::string_view text = current.text;
    if (current.column != 1 || text.empty()) {
        kind = linekind::other;
    } else if (istitleline(text)) {
        kind = linekind::title;
    } else if (text[0] == ';') {
        kind = linekind::comment;
    } else {
        return false;
    }
    return true;
}

}  // namespace later
