#include "closest.h"

#include <algorithm>
#include <cstddef>

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameletter(char a, char b) { return lower(a) == lower(b); }

// Edit distance with swaps of neighbours, three rows at a time.
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t cost = sameletter(a[i - 1], b[j - 1]) ? 0 : 1;
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && sameletter(a[i - 1], b[j - 2]) && sameletter(a[i - 2], b[j - 1])) {
                row[j] = std::min(row[j], before[j - 2] + 1);
            }
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[b.size()];
}

bool startswith(std::string_view name, std::string_view start) {
    return name.size() > start.size() &&
           std::equal(start.begin(), start.end(), name.begin(), [](char a, char b) { return sameletter(a, b); });
}

}  // namespace

std::string_view closestname(std::string_view given, const std::vector<std::string_view>& known) {
    std::string_view best;
    std::size_t bestdistance = 3;
    for (std::string_view name : known) {
        std::size_t longer = std::max(given.size(), name.size());
        std::size_t apart = given.size() > name.size() ? given.size() - name.size() : name.size() - given.size();
        if (apart >= bestdistance) continue;  // no closer than that, and a long given costs nothing
        std::size_t d = distance(given, name);
        if (d < bestdistance && d * 3 <= longer) {
            best = name;
            bestdistance = d;
        }
    }
    if (!best.empty() || given.size() < 3) return best;
    std::string_view begun;
    for (std::string_view name : known) {
        if (!startswith(name, given)) continue;
        if (!begun.empty()) return {};  // more than one: no clear guess
        begun = name;
    }
    return begun;
}
