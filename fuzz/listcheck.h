#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "fuzzinput.h"
#include "gamelist/gamelist.h"
#include "gamelist/listproblem.h"
#include "gamelist/listsource.h"

// Runs one list reader on the fuzzer's bytes and holds it to what every
// reader must leave, whatever its bytes: a problem with a place, titles
// within their capacity, shortnames within the reader's limit, and the
// table in shortname order.
template <class reader>
int checkreader(const std::uint8_t* data, std::size_t size, reader read, std::size_t namelimit = SIZE_MAX) {
    static gamelist list;
    cleargamelist(list);
    std::FILE* file = openbytes(data, size);
    listsource source(file);
    listproblem problem = read(source, list);
    finishgamelist(list);
    std::fclose(file);
    if (problem.found && problem.line != 0 && (problem.line < 1 || problem.column < 1)) __builtin_trap();
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (game.title.size() > titlecapacity || game.shortname.size() > namelimit) __builtin_trap();
        if (i > 0 && compare(list.games[i - 1], game) > 0) __builtin_trap();
    }
    return 0;
}
