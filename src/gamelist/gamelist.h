#pragma once

#include <cstddef>
#include <string_view>

constexpr int maxgames = 10000;
constexpr std::size_t shortnamecapacity = 8;
constexpr std::size_t titlecapacity = 134;

struct gameentry {
    char shortname[shortnamecapacity + 1];
    char title[titlecapacity + 1];
    bool hascheats;
    bool titlematches;
};

// A fixed table for the whole run; only entries below `count` are in use.
struct gamelist {
    gameentry games[maxgames];
    int count;
};

// Byte-wise order of shortnames as unsigned characters: negative, zero or
// positive, as a standard string comparison gives.
int compare(std::string_view a, std::string_view b);
int compare(const gameentry& a, const gameentry& b);

// The same order, a shortname against an entry's. Inline and without a
// length count, as the game search calls it for every step.
inline int compare(std::string_view shortname, const gameentry& entry) {
    for (std::size_t i = 0;; ++i) {
        auto theirs = static_cast<unsigned char>(entry.shortname[i]);
        if (i == shortname.size()) {
            return theirs == 0 ? 0 : -1;
        }
        auto ours = static_cast<unsigned char>(shortname[i]);
        if (theirs == 0 || ours != theirs) {
            return ours < theirs ? -1 : 1;
        }
    }
}
