// A whole run, import to closing summary (with diagnostics for inputs of
// even length), on a fuzzer-made game list and
// cheat file. The input holds both, the list first, split at the first
// "\n@@cheat.dat@@\n"; without it the same bytes serve as both.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzzinput.h"
#include "gamelist/readgamelist.h"
#include "engine/runphases.h"
#include "report/baseline.h"
#include "report/diagnostics.h"
#include "report/patch.h"

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
    // Every other input with diagnostics, a baseline and a patch too, which
    // put the findings in the order of the file and read it again.
    readgamelist(gamelistfile, list, true);
    reportwriter out(sink);
    titleindex titles(list);
    diagnostics lines(out, "cheat.dat", list, &titles);
    baseline known;
    showing asked{};
    for (bool& selected : asked.selected) selected = true;
    if (size % 2 == 0) {
        asked.lines = &lines;
        asked.known = &known;
    }
    shownfindings shown(asked);
    patch fixes(list);
    runphases({cheatfile, sink, sink, sink}, list, shown, size % 2 == 0 ? &titles : nullptr,
              size % 2 == 0 ? &fixes : nullptr);
    fixes.write(cheatfile, "cheat.dat", out);
    std::fclose(gamelistfile);
    std::fclose(cheatfile);
    return 0;
}
