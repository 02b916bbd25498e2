#include "suppressions.h"

#include <algorithm>

#include "text/line.h"
#include "titleline.h"

namespace {

constexpr std::string_view marker = "vettle:";

std::size_t skipblanks(std::string_view text, std::size_t at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    return at;
}

}  // namespace

bool readsuppression(std::string_view text, bool& whole, std::vector<std::pair<std::string, long long>>& names) {
    if (text.empty() || text[0] != ';' || istitleline(text)) return false;
    std::size_t at = skipblanks(text, 1);
    if (text.substr(at, marker.size()) != marker) return false;
    at = skipblanks(text, at + marker.size());
    std::string_view rest = text.substr(at);
    if (rest.substr(0, 12) == "ignore-file[") {
        whole = true;
        at += 12;
    } else if (rest.substr(0, 7) == "ignore[") {
        whole = false;
        at += 7;
    } else {
        return false;
    }
    // Without its ']' it runs to the line's end, so that what it means to
    // hide is still told if it hides nothing.
    std::size_t open = at;
    std::size_t close = std::min(text.find(']', at), text.find_last_not_of("\r\n") + 1);
    names.clear();
    while (at < close) {
        std::size_t start = skipblanks(text, at);
        std::size_t end = std::min(text.find(',', start), close);
        std::size_t last = end;
        while (last > start && (text[last - 1] == ' ' || text[last - 1] == '\t')) --last;
        if (last > start) names.emplace_back(std::string(text.substr(start, last - start)), static_cast<long long>(start) + 1);
        at = end + 1;
    }
    // One that names nothing hides nothing: an empty name says so.
    if (names.empty()) names.emplace_back(std::string(), static_cast<long long>(open) + 1);
    return true;
}

void suppressions::read(std::FILE* cheatfile) {
    entries_.clear();
    linereader reader(cheatfile);
    line current;
    std::size_t waiting = 0;  // the first entry whose target line has not come
    std::vector<std::pair<std::string, long long>> names;
    while (reader.next(current)) {
        if (current.column != 1) continue;  // a later piece of a long line
        std::string_view text = current.text;
        if (!text.empty() && text[0] == ';') {
            bool whole = false;
            if (iswhole(current) && readsuppression(text, whole, names)) {
                for (auto& [name, column] : names) {
                    entries_.push_back({current.physical, column, whole ? 0 : -1, std::move(name)});
                }
            }
            continue;
        }
        for (; waiting < entries_.size(); ++waiting) {
            if (entries_[waiting].target == -1) entries_[waiting].target = current.physical;
        }
    }
    // Waiting at the end: there is no next line, so they hide nothing.
    for (; waiting < entries_.size(); ++waiting) {
        if (entries_[waiting].target == -1) entries_[waiting].target = current.physical + 1;
    }
    bytarget_.clear();
    byname_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i) (entries_[i].target == 0 ? byname_ : bytarget_).push_back(i);
    std::stable_sort(bytarget_.begin(), bytarget_.end(),
                     [&](std::size_t a, std::size_t b) { return entries_[a].target < entries_[b].target; });
    std::stable_sort(byname_.begin(), byname_.end(),
                     [&](std::size_t a, std::size_t b) { return entries_[a].name < entries_[b].name; });
}

bool suppressions::hides(std::string_view name, long long line) {
    bool hidden = false;
    auto first = std::lower_bound(bytarget_.begin(), bytarget_.end(), line,
                                  [&](std::size_t i, long long target) { return entries_[i].target < target; });
    for (auto at = first; line != 0 && at != bytarget_.end() && entries_[*at].target == line; ++at) {
        if (entries_[*at].name != name) continue;
        entries_[*at].used = true;
        hidden = true;
    }
    auto named = std::lower_bound(byname_.begin(), byname_.end(), name,
                                  [&](std::size_t i, std::string_view n) { return entries_[i].name < n; });
    for (auto at = named; at != byname_.end() && entries_[*at].name == name; ++at) {
        entries_[*at].used = true;
        hidden = true;
    }
    return hidden;
}
