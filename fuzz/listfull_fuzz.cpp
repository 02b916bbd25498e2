// The -listfull reader on any bytes, a byte-order mark and UTF-16 among them.

#include "gamelist/listfull.h"
#include "listcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return checkreader(data, size, [](listsource& source, gamelist& list) {
        readlistfull(source, list);
        return listproblem{};
    });
}
