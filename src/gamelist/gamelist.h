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
