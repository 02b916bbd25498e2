// A whole run, import to closing summary (with diagnostics for inputs of
// even length), on a fuzzer-made game list and
// cheat file. The input holds both, the list first, split at the first
// "\n@@cheat.dat@@\n"; without it the same bytes serve as both.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzzinput.h"
#include "gamelist/readgamelist.h"
#include "main/runphases.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static gamelist list;
    static std::FILE* sink = [] {
        std::FILE* file = std::fopen("/dev/null", "w");
        static char buffer[1 << 16];
        std::setvbuf(file, buffer, _IOFBF, sizeof buffer);
        return file;
    }();

    std::string_view input(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view separator = "\n@@cheat.dat@@\n";
    std::size_t at = input.find(separator);
    std::string_view games = at == std::string_view::npos ? input : input.substr(0, at);
    std::string_view cheats = at == std::string_view::npos ? input : input.substr(at + separator.size());

    std::FILE* gamelistfile = openbytes(games.data(), games.size());
    std::FILE* cheatfile = openbytes(cheats.data(), cheats.size());
    // Every other input with diagnostics too, which read on past the end
    // marker and replay the cross-check.
    reportwriter lines(sink);
    diagnostics findings(lines, "cheat.dat");
    readgamelist(gamelistfile, list, true);
    runphases({cheatfile, sink, sink, sink, size % 2 == 0 ? &findings : nullptr}, list);
    std::fclose(gamelistfile);
    std::fclose(cheatfile);
    return 0;
}
