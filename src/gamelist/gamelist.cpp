#include "gamelist.h"

#include <algorithm>

namespace {

// Equal shortnames are ordered by title, so the order never depends on the
// sort algorithm or on the host.
bool sortsbefore(const gameentry& a, const gameentry& b) {
    int order = compare(a, b);
    return order != 0 ? order < 0 : compare(a.title, b.title) < 0;
}

}  // namespace

void cleargamelist(gamelist& list) {
    list.games = nullptr;
    list.count = 0;
    list.text.clear();
    list.arriving.clear();
    list.table.reset();
}

void addgame(gamelist& list, std::string_view shortname, std::string_view title) {
    list.arriving.add({list.text.keep(shortname), list.text.keep(title.substr(0, titlecapacity)), false, false});
    ++list.count;
}

void finishgamelist(gamelist& list) {
    list.table.reset(new gameentry[static_cast<std::size_t>(list.count)]);
    for (int i = 0; i < list.count; ++i) list.table[i] = list.arriving[static_cast<std::size_t>(i)];
    list.arriving.clear();
    list.games = list.table.get();
    std::sort(list.games, list.games + list.count, sortsbefore);
}

bool sharesshortname(const gamelist& list, int at) {
    std::string_view name = list.games[at].shortname;
    return (at > 0 && list.games[at - 1].shortname == name) || (at + 1 < list.count && list.games[at + 1].shortname == name);
}

// char_traits<char> compares as unsigned char, as strcmp does.
int compare(std::string_view a, std::string_view b) { return a.compare(b); }

int compare(const gameentry& a, const gameentry& b) { return compare(a.shortname, b.shortname); }
