#pragma once

#include <cstddef>
#include <string_view>

#include "text/line.h"

// The fields of a cheat line, in their order: `:shortname:type:address:
// data:extended:description`.
enum class fieldid { none, shortname, type, address, data, extended };

// What a value field must hold: between `fewest` and `most` digits, each
// 0-9 or A-F. The field check, its lower-case fixes and the diagnostics'
// words all read this one table.
struct fieldrule {
    fieldid field;
    std::string_view name;
    std::size_t fewest;
    std::size_t most;  // an address has no upper limit but the line's
};

inline constexpr fieldrule valuefields[] = {
    {fieldid::type, "type", 8, 8},
    {fieldid::address, "address", 4, linecapacity},
    {fieldid::data, "data", 8, 8},
    {fieldid::extended, "extended", 8, 8},
};

inline const fieldrule& ruleof(fieldid field) { return valuefields[static_cast<int>(field) - static_cast<int>(fieldid::type)]; }

inline std::string_view fieldname(fieldid field) { return field == fieldid::shortname ? "shortname" : ruleof(field).name; }
