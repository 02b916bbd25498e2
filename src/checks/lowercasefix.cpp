#include "lowercasefix.h"

#include <cstring>

#include "fieldfailure.h"
#include "text/hexdigits.h"
#include "text/textcopy.h"

namespace {

// Hexadecimal but for some lower-case letters, of a size that passes.
bool onlylowercase(const checkedfield& field, const fieldrule& rule) {
    std::string_view text = field.text;
    if (field.passed || text.size() < rule.fewest || text.size() > rule.most) return false;
    bool lower = false;
    for (char c : text) {
        if (!isanycasehexdigit(c)) return false;
        lower = lower || islowerhexletter(c);
    }
    return lower;
}

}  // namespace

void lowercasefixes(const line& current, const checkedline& checked, unsigned failed, findingsink& out) {
    if (!iswhole(current)) return;
    std::string_view text = current.text;
    char copy[linecapacity + 1];
    std::memcpy(copy, text.data(), text.size());
    const unsigned allowed = failed & ~failure::shortname;
    for (const fieldrule& rule : valuefields) {
        const checkedfield& field = checked.value(rule.field);
        if (!onlylowercase(field, rule)) continue;
        auto offset = static_cast<std::size_t>(field.text.data() - text.data());
        std::size_t length = field.text.size();
        char before[linecapacity + 1];
        std::memcpy(before, copy + offset, length);
        uppercasehex(copy + offset, length);
        if ((checkfields({copy, text.size()}).failed & ~allowed) != 0) {
            std::memcpy(copy + offset, before, length);  // it would find something new
            continue;
        }
        out.fixable({checkid::fieldformat, current.physical, offset, length, {}, true, -1});
    }
}
