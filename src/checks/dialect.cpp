#include "dialect.h"

#include "cheatfile/cheatfields.h"

std::string_view dialect::oldlayoutshortname(std::string_view text) const { return cheatshortname(text); }

namespace {

const dialect* const dialects[] = {&classicdialect(), &fbneodialect(), &mame2003plusdialect()};

}  // namespace

const dialect* finddialect(std::string_view name) {
    for (const dialect* known : dialects) {
        if (known->name() == name) return known;
    }
    return nullptr;
}

std::vector<std::string_view> dialectnames() {
    std::vector<std::string_view> names;
    for (const dialect* known : dialects) names.push_back(known->name());
    return names;
}
