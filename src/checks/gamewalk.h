#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "gamelist/gamelist.h"

// Finds shortnames in one sorted game list as a walk from where the last
// search ended would: the walk never turns, since needing to turn means the
// shortname lies between two neighbours and is not listed. Where it ends
// is found by bisecting the table (gamewalk.cpp says why that is the same
// place), so a search costs a few steps whatever order the cheat file has.
//
// The first eight bytes of each shortname are also kept as one number, in
// order, so a step compares two numbers in a small table instead of text
// spread over the list; only names that agree in those eight and are
// longer are compared as text. The tables are made once, for the list as
// it stands; it must not change while a walk over it is in use.
struct gamewalk {
    explicit gamewalk(const gamelist& list);

    const gamelist& list;
    int index = 0;
    std::unique_ptr<std::uint64_t[]> keys;
    std::unique_ptr<bool[]> longnames;  // longer than the eight bytes of a key
    // The has-cheats and title-matches marks while a pass sets them, kept
    // here beside the keys: cheat files in any order then touch a game's
    // entry only to compare its title, until that matches.
    struct marks {
        bool hascheats = false;
        bool titlematches = false;
    };
    std::unique_ptr<marks[]> marked;
};

// The entry found, or -1. The walk's index rests where the walk ended.
// `readable` tells how many bytes from the start of the shortname may be
// read (the rest of its line, say); eight or more make the search cheaper.
int findgame(gamewalk& walk, std::string_view shortname, std::size_t readable = 0);
