#include "cheatline.h"

#include <cstring>

#include "cheatfile/cheatfields.h"
#include "fieldfailure.h"
#include "text/line.h"
#include "text/textcopy.h"

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

checkedline checkfieldsanycase(std::string_view text) {
    checkedline line = checkfields(text);
    if ((line.failed & failure::fields) == 0 || text.size() > linecapacity) return line;
    // Rare: the line again with its value fields in upper case, read as
    // the same line.
    char copy[linecapacity];
    std::memcpy(copy, text.data(), text.size());
    bool lower = false;
    for (const checkedfield& field : line.values) {
        auto offset = static_cast<std::size_t>(field.text.data() - text.data());
        for (char c : field.text) lower = lower || (c >= 'a' && c <= 'f');
        uppercasehex(copy + offset, field.text.size());
    }
    if (!lower) return line;
    // Into the same object: one returned object is built in place, and most
    // lines pass through here.
    line = checkfields({copy, text.size()});
    auto back = [&](std::string_view view) { return std::string_view(text.data() + (view.data() - copy), view.size()); };
    line.shortname = back(line.shortname);
    for (checkedfield& field : line.values) field.text = back(field.text);
    return line;
}
