// The -listfull reader on any bytes, a byte-order mark and UTF-16 among them.

#include <cstdint>

#include "fuzzinput.h"
#include "gamelist/listfull.h"
#include "gamelist/listsource.h"
#include "listcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gamelist list;
    cleargamelist(list);
    std::FILE* file = openbytes(data, size);
    listsource source(file);
    readlistfull(source, list);
    finishgamelist(list);
    std::fclose(file);
    checkgamelist(list);
    return 0;
}
