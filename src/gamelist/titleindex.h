#pragma once

#include <memory>
#include <string_view>

#include "gamelist.h"

// The games of a finished list by title (then by place in the list): which
// listed games carry a title a cheat file's block names. Made once.
class titleindex {
public:
    explicit titleindex(const gamelist& list);

    struct range {
        int first;  // a place in the index
        int count;
    };
    range carrying(std::string_view title) const;

    // The game at a place in the index.
    int game(int place) const { return bytitle_[place]; }

private:
    const gamelist& list_;
    std::unique_ptr<int[]> bytitle_;
};
