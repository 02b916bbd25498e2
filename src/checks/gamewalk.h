#pragma once

#include <string_view>

#include "gamelist/gamelist.h"

// Finds a shortname in the sorted game list by walking from where the last
// search ended. The walk never turns: needing to turn means the shortname
// lies between two neighbours and is not listed. Cheat files follow the
// list's order, so a whole pass costs about one sweep of the list.
struct gamewalk {
    int index = 0;
};

// The entry found, or -1. The walk's index rests where the walk ended.
int findgame(gamewalk& walk, const gamelist& list, std::string_view shortname);
