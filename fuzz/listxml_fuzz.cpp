// The -listxml and Logiqx reader on any bytes: expat's errors and ours end
// the reading with a place, and the table stays whole.

#include <cstdint>

#include "fuzzinput.h"
#include "gamelist/listxml.h"
#include "listcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gamelist list;
    cleargamelist(list);
    std::FILE* file = openbytes(data, size);
    listsource source(file);
    listproblem problem = readlistxml(source, list);
    finishgamelist(list);
    std::fclose(file);
    if (problem.found && (problem.line < 1 || problem.column < 1)) __builtin_trap();
    checkgamelist(list);
    return 0;
}
