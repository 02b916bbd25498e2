#pragma once

#include <cstddef>
#include <string_view>

#include "text/token.h"

// Plain statements of what the tool does the fast way, for the fuzzers to
// hold it to.

// True when each of the first `length` characters is 0-9 or A-F; lower
// case is not hexadecimal in a cheat file.
inline bool isitvalidhex(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

// The first five fields of a cheat line, cut one token at a time at colons
// (a run of colons separates like one); missing ones are empty.
struct cheatfields {
    std::string_view shortname, type, address, data, extended;
};

inline cheatfields splitfields(std::string_view cheatline) {
    std::string_view rest = cheatline;
    std::string_view* fields[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
    cheatfields split;
    fields[0] = &split.shortname;
    fields[1] = &split.type;
    fields[2] = &split.address;
    fields[3] = &split.data;
    fields[4] = &split.extended;
    for (std::string_view* field : fields) {
        if (!nexttoken(rest, ':', *field)) *field = cheatline.substr(cheatline.size());
    }
    return split;
}
