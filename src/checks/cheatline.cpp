#include "cheatline.h"

#include "cheatfile/cheatfields.h"
#include "fieldfailure.h"
#include "text/line.h"

checkedline checkcheatline(std::string_view text) {
    constexpr std::size_t anylength = linecapacity;  // an address has no upper limit
    const char* c = text.data();
    const char* end = c + text.size();
    checkedline line;
    line.shortname = nextfield(c, end);
    line.type = readfield(c, end, 8, 8);
    line.address = readfield(c, end, 4, anylength);
    line.data = readfield(c, end, 8, 8);
    line.extended = readfield(c, end, 8, 8);
    const checkedfield& type = line.type;
    const checkedfield& address = line.address;
    const checkedfield& data = line.data;
    const checkedfield& extended = line.extended;

    unsigned failed = 0;
    if (!type.passed) failed |= failure::type;
    if (!address.passed) failed |= failure::address;
    if (!data.passed) failed |= failure::data;
    if (!extended.passed) failed |= failure::extended;
    bool unusedfieldstype = isunusedfieldstype(type.text);
    if (unusedfieldstype && (address.value > 0 || data.value > 0 || extended.value > 0)) {
        failed |= failure::unneededfields;
    }
    if (extended.value == 0xFF || extended.value == 0xFFFF || extended.value == 0xFFFFFF) {
        failed |= failure::mask;
    }
    if (!unusedfieldstype && (type.value & 0x00080000) == 0 && (address.value == 0 || extended.value == 0)) {
        failed |= failure::zero;
    }
    line.failed = failed;
    return line;
}
