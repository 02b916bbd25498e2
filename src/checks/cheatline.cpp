#include "cheatline.h"

#include "cheatfile/cheatfields.h"
#include "fieldfailure.h"

checkedline checkfields(std::string_view text) {
    const char* c = text.data();
    const char* end = c + text.size();
    checkedline line;
    line.shortname = nextfield(c, end);
    unsigned failed = 0;
    for (int i = 0; i < 4; ++i) {
        const fieldrule& rule = valuefields[i];
        line.values[i] = readfield(c, end, rule.fewest, rule.most);
        if (!line.values[i].passed) failed |= failurebit(rule.field);
    }
    const checkedfield& type = line.value(fieldid::type);
    const checkedfield& address = line.value(fieldid::address);
    const checkedfield& data = line.value(fieldid::data);
    const checkedfield& extended = line.value(fieldid::extended);

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
