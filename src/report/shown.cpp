#include "shown.h"

#include <algorithm>

void shownfindings::count(const finding& what) {
    int check = static_cast<int>(what.check);
    if (!asked_.selected[check]) return;
    if (what.piece == 0 && asked_.suppressed != nullptr && asked_.suppressed->hides(infoof(what.check).name, 0)) return;
    ++counts_[check];
}

void shownfindings::show(const finding& what, const place& where, std::string_view linetext) {
    int check = static_cast<int>(what.check);
    if (!asked_.selected[check]) return;
    if (asked_.suppressed != nullptr && !asked_.suppressed->empty() &&
        asked_.suppressed->hides(infoof(what.check).name, where.physical)) {
        --counts_[check];
        note(hidden_, what, where);
        return;
    }
    if (asked_.record != nullptr || asked_.known != nullptr) {
        std::string entry = baselineentry(what, linetext);
        if (asked_.record != nullptr) asked_.record->add(entry);
        if (asked_.known != nullptr && asked_.known->hides(baselinekey(entry))) {
            --counts_[check];
            note(hidden_, what, where);
            return;
        }
    }
    note(shownkeys_, what, where);
    if (asked_.lines == nullptr) return;
    // A line many findings refer to gets its note with the first shown.
    if (what.noteat != 0 && what.noteat != lastnoted_ && firstnoteat(what.noteat)) {
        place noted = where;
        noted.noted = true;
        asked_.lines->finding(what, noted, linetext);
        return;
    }
    asked_.lines->finding(what, where, linetext);
}

bool shownfindings::firstnoteat(long long line) {
    lastnoted_ = line;
    auto word = static_cast<std::size_t>(line / 64);
    while (noted_.size() <= word) noted_.add(0);
    std::uint64_t bit = std::uint64_t{1} << (line % 64);
    bool first = (noted_[word] & bit) == 0;
    noted_[word] |= bit;
    return first;
}

void shownfindings::finish() {
    std::sort(hidden_.begin(), hidden_.end());
    std::sort(shownkeys_.begin(), shownkeys_.end());
    long long withoutcheats = shown(checkid::nocheatentries);
    if (asked_.lines != nullptr && withoutcheats > 0) asked_.lines->nocheatentries(withoutcheats);
}

bool shownfindings::anyerror() const {
    for (const checkinfo& check : checktable) {
        if (check.level == severity::error && shown(check.id) > 0) return true;
    }
    return false;
}

shownfindings::fixablekey shownfindings::keyof(const finding& what, const place& where) {
    auto offset = static_cast<std::size_t>(where.column - 1);
    switch (what.check) {
        case checkid::unlistedshortname: return {what.check, what.block, 0};
        case checkid::titlemismatch: return {what.check, what.game, 0};
        default: return {what.check, where.physical, offset};
    }
}

shownfindings::fixablekey shownfindings::keyof(const fix& change) {
    switch (change.check) {
        case checkid::unlistedshortname: return {change.check, change.block, 0};
        case checkid::titlemismatch: return {change.check, change.game, 0};
        default: return {change.check, change.physical, change.offset};
    }
}

// Only the findings of checks that have fixes are kept.
void shownfindings::note(std::vector<fixablekey>& keys, const finding& what, const place& where) {
    if (infoof(what.check).fixed.empty()) return;
    keys.push_back(keyof(what, where));
}

bool shownfindings::hides(const fix& change) const {
    return std::binary_search(hidden_.begin(), hidden_.end(), keyof(change));
}

long long shownfindings::fixable(const std::vector<const fix*>& made) const {
    std::vector<fixablekey> fixed;
    for (const fix* change : made) fixed.push_back(keyof(*change));
    std::sort(fixed.begin(), fixed.end());
    fixed.erase(std::unique(fixed.begin(), fixed.end()), fixed.end());
    long long count = 0;
    for (const fixablekey& key : shownkeys_) count += std::binary_search(fixed.begin(), fixed.end(), key) ? 1 : 0;
    return count;
}
