#include "titleindex.h"

#include <algorithm>

titleindex::titleindex(const gamelist& list)
    : list_(list), bytitle_(std::make_unique<int[]>(static_cast<std::size_t>(list.count))) {
    const gameentry* games = list.games;
    for (int i = 0; i < list.count; ++i) bytitle_[i] = i;
    std::sort(bytitle_.get(), bytitle_.get() + list.count, [games](int a, int b) {
        int order = compare(games[a].title, games[b].title);
        return order != 0 ? order < 0 : a < b;
    });
}

namespace {

// Orders a game of the index against a title, either way round.
struct bytitle {
    const gameentry* games;
    bool operator()(int game, std::string_view title) const { return games[game].title < title; }
    bool operator()(std::string_view title, int game) const { return title < games[game].title; }
};

}  // namespace

titleindex::range titleindex::carrying(std::string_view title) const {
    const int* begin = bytitle_.get();
    auto [first, last] = std::equal_range(begin, begin + list_.count, title, bytitle{list_.games});
    return {static_cast<int>(first - begin), static_cast<int>(last - first)};
}
