#pragma once

#include "gamelist/gamelist.h"

// What every reader must leave, whatever its bytes: titles within their
// capacity and the table in shortname order.
inline void checkgamelist(const gamelist& list) {
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (game.title.size() > titlecapacity) __builtin_trap();
        if (i > 0 && compare(list.games[i - 1], game) > 0) __builtin_trap();
    }
}
