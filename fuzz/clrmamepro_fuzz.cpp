// The ClrMamePro and -listinfo reader on any bytes.

#include "gamelist/clrmamepro.h"
#include "listcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return checkreader(data, size, readclrmamepro, shortnamelimit);
}
