#pragma once

#include <string_view>

#include "cheatfile/fieldtable.h"
#include "checktable.h"

// The rules a cheat line can fail, as bits of one set: the field check
// makes it, the results report names the failed ones in this order.
namespace failure {
constexpr unsigned shortname = 0x01;       // differs from the block's
constexpr unsigned type = 0x02;            // the field's size or characters
constexpr unsigned address = 0x04;
constexpr unsigned data = 0x08;
constexpr unsigned extended = 0x10;
constexpr unsigned unneededfields = 0x20;  // type 60 or 62 with a value
constexpr unsigned mask = 0x40;            // a suspect mask
constexpr unsigned zero = 0x80;            // the warnings report's zero rule
constexpr unsigned results = 0x7F;         // those the results report lists
constexpr unsigned fields = type | address | data | extended;
}  // namespace failure

// Each rule with the check its findings belong to, the field they are
// about (an unneeded-fields finding is about the first field that is set)
// and the name the results report gives it.
struct linerule {
    unsigned bit;
    checkid check;
    fieldid field;
    std::string_view reportname;  // none: the warnings report has an entry of its own
};

inline constexpr linerule linerules[] = {
    {failure::shortname, checkid::shortnamemismatch, fieldid::shortname, " shortname "},
    {failure::type, checkid::fieldformat, fieldid::type, " type "},
    {failure::address, checkid::fieldformat, fieldid::address, " address "},
    {failure::data, checkid::fieldformat, fieldid::data, " data "},
    {failure::extended, checkid::fieldformat, fieldid::extended, " extended "},
    {failure::unneededfields, checkid::unneededfields, fieldid::none, " unneeded fields should = 0 "},
    {failure::mask, checkid::suspectmask, fieldid::extended, " suspect mask "},
    {failure::zero, checkid::zerovalue, fieldid::none, ""},
};

// The bit of a value field's own size and characters.
inline unsigned failurebit(fieldid field) { return failure::type << (static_cast<int>(field) - static_cast<int>(fieldid::type)); }
