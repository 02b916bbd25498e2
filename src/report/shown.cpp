#include "shown.h"

void shownfindings::show(const finding& what, const place& where, std::string_view linetext) {
    if (!asked_.selected[static_cast<int>(what.check)]) return;
    if (asked_.record != nullptr || asked_.known != nullptr) {
        std::string entry = baselineentry(what, linetext);
        if (asked_.record != nullptr) asked_.record->add(entry);
        if (asked_.known != nullptr && asked_.known->hides(baselinekey(entry))) {
            --counts_[static_cast<int>(what.check)];
            return;
        }
    }
    if (asked_.lines != nullptr) asked_.lines->write(what, where);
}

void shownfindings::finish() {
    long long withoutcheats = shown(checkid::nocheatentries);
    if (asked_.lines != nullptr && withoutcheats > 0) asked_.lines->nocheatentries(withoutcheats);
}

bool shownfindings::anyerror() const {
    for (const checkinfo& check : checktable) {
        if (check.level == severity::error && shown(check.id) > 0) return true;
    }
    return false;
}
