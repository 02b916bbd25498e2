#pragma once

#include <string_view>

#include "cheatfile/fieldtable.h"
#include "hexfield.h"

// A cheat line's fields and the rules they fail, but for the shortname's,
// which needs the block: every field of every cheat line comes through
// here once.
struct checkedline {
    std::string_view shortname;
    checkedfield values[4];  // in the order of valuefields
    unsigned failed;         // failure:: bits

    const checkedfield& value(fieldid field) const {
        return values[static_cast<int>(field) - static_cast<int>(fieldid::type)];
    }
};

checkedline checkfields(std::string_view text);

// The same for a loader that reads a-f as hexadecimal digits too: a field
// that fails by lower case alone passes, with its value. The views are
// into `text` all the same.
checkedline checkfieldsanycase(std::string_view text);

// Types 60 and 62 use no address, data or extended value; the two
// characters count as written, even when the type field failed its check.
inline bool isunusedfieldstype(std::string_view type) {
    return type.size() >= 2 && type[0] == '6' && (type[1] == '0' || type[1] == '2');
}
