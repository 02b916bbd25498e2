#include "lowercasefix.h"

#include <cstring>

#include "fieldfailure.h"
#include "text/textcopy.h"

namespace {

// Hexadecimal but for some lower-case letters, of a size that passes.
bool onlylowercase(const checkedfield& field, std::size_t fewest, std::size_t most) {
    std::string_view text = field.text;
    if (field.passed || text.size() < fewest || text.size() > most) return false;
    bool lower = false;
    for (char c : text) {
        bool digit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        bool small = c >= 'a' && c <= 'f';
        if (!digit && !small) return false;
        lower = lower || small;
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
    const struct {
        const checkedfield& field;
        std::size_t fewest, most;
    } fields[] = {
        {checked.type, 8, 8}, {checked.address, 4, linecapacity}, {checked.data, 8, 8}, {checked.extended, 8, 8}};
    for (const auto& candidate : fields) {
        if (!onlylowercase(candidate.field, candidate.fewest, candidate.most)) continue;
        auto offset = static_cast<std::size_t>(candidate.field.text.data() - text.data());
        std::size_t length = candidate.field.text.size();
        char before[linecapacity + 1];
        std::memcpy(before, copy + offset, length);
        uppercasehex(copy + offset, length);
        if ((checkcheatline({copy, text.size()}).failed & ~allowed) != 0) {
            std::memcpy(copy + offset, before, length);  // it would find something new
            continue;
        }
        out.fixable({checkid::fieldformat, current.physical, offset, length, {}, true, -1});
    }
}
