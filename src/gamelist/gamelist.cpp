#include "gamelist.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t textblocksize = 1 << 20;
constexpr int gamesperblock = 8192;

// A copy of `text` that stays where it is for the life of the list.
std::string_view keep(gamelist& list, std::string_view text) {
    if (text.empty()) return {};
    if (list.text.empty() || list.text.back().size - list.text.back().used < text.size()) {
        std::size_t size = std::max(textblocksize, text.size());
        list.text.push_back({std::unique_ptr<char[]>(new char[size]), 0, size});  // not zeroed: each byte is written first
    }
    gamelist::block& last = list.text.back();
    char* copy = last.bytes.get() + last.used;
    std::memcpy(copy, text.data(), text.size());
    last.used += text.size();
    return {copy, text.size()};
}

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
    if (list.count % gamesperblock == 0) list.arriving.push_back(std::unique_ptr<gameentry[]>(new gameentry[gamesperblock]));
    gameentry& entry = list.arriving.back()[list.count % gamesperblock];
    entry.shortname = keep(list, shortname);
    entry.title = keep(list, title.substr(0, titlecapacity));
    entry.hascheats = false;
    entry.titlematches = false;
    ++list.count;
}

void finishgamelist(gamelist& list) {
    list.table.reset(new gameentry[static_cast<std::size_t>(list.count)]);
    for (int i = 0; i < list.count; ++i) list.table[i] = list.arriving[i / gamesperblock][i % gamesperblock];
    list.arriving.clear();
    list.games = list.table.get();
    std::sort(list.games, list.games + list.count, sortsbefore);
}

// char_traits<char> compares as unsigned char, as strcmp does.
int compare(std::string_view a, std::string_view b) { return a.compare(b); }

int compare(const gameentry& a, const gameentry& b) { return compare(a.shortname, b.shortname); }
