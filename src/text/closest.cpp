#include "closest.h"

#include <algorithm>

namespace {

// Edits from one to the other, a swap of two neighbours counting as one.
std::size_t distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), now(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        now[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t change = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            now[j] = std::min({previous[j] + 1, now[j - 1] + 1, change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) now[j] = std::min(now[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(now);
    }
    return previous[b.size()];
}

}  // namespace

std::string closestname(std::string_view given, const std::vector<std::string_view>& known) {
    // Names of hundreds of characters are no typing slips.
    if (given.size() > 64) return {};
    std::string_view best;
    std::size_t fewest = 0;
    for (std::string_view name : known) {
        std::size_t edits = distance(given, name);
        if (best.empty() || edits < fewest) {
            best = name;
            fewest = edits;
        }
    }
    // At most a third of the name's letters, and never all of a short one.
    std::size_t allowed = std::max<std::size_t>(1, std::min(given.size(), best.size()) / 3);
    return !best.empty() && fewest <= allowed ? std::string(best) : std::string();
}
