#pragma once

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
}  // namespace failure
