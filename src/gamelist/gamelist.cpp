#include "gamelist.h"

#include <cstring>

int compare(std::string_view a, std::string_view b) {
    std::size_t common = a.size() < b.size() ? a.size() : b.size();
    int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
    if (order != 0) {
        return order;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int compare(const gameentry& a, const gameentry& b) {
    return compare(std::string_view(a.shortname), std::string_view(b.shortname));
}
