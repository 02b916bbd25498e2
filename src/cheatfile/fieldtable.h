#pragma once

#include <cstddef>
#include <string_view>

#include "text/line.h"

// The fields of a cheat line, in their order: `:shortname:type:address:
// data:extended:description`. After them, fields as a dialect reads them:
// the old layout's (`game:cpu:address:data:type:...`, any number of
// digits, the type a decimal code), an address held as a NES or a SNES
// cheat device's code, an engine command's value.
enum class fieldid { none, shortname, type, address, data, extended, cpu, oldaddress, olddata, oldtype, nescode,
                     snescode, command };

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

// Whether a field is one of the table's, read as the classic checks read it.
inline bool isvaluefield(fieldid field) { return field >= fieldid::type && field <= fieldid::extended; }

inline std::string_view fieldname(fieldid field) {
    switch (field) {
        case fieldid::shortname: return "shortname";
        case fieldid::cpu: return "cpu";
        case fieldid::oldaddress: case fieldid::nescode: case fieldid::snescode: return "address";
        case fieldid::olddata: return "data";
        case fieldid::oldtype: return "type";
        case fieldid::command: return "command";
        default: return ruleof(field).name;
    }
}
