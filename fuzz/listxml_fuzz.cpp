// The -listxml and Logiqx reader on any bytes: expat's errors and ours end
// the reading with a place, and the table stays whole.

#include "gamelist/listxml.h"
#include "listcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return checkreader(data, size, readlistxml, shortnamelimit);
}
