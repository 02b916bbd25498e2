// The game list import on any bytes: the table never overflows and ends sorted.

#include <cstdint>
#include <cstring>

#include "fuzzinput.h"
#include "gamelist/gamelistimport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gamelist list;
    std::FILE* file = openbytes(data, size);
    bool fitted = importgamelist(file, list);
    std::fclose(file);
    if (list.count < 0 || list.count > maxgames) __builtin_trap();
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (std::strlen(game.shortname) > shortnamecapacity || std::strlen(game.title) > titlecapacity) {
            __builtin_trap();
        }
        if (fitted && i > 0 && compare(list.games[i - 1], game) > 0) __builtin_trap();
    }
    return 0;
}
