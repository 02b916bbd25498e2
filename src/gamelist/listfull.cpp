#include "listfull.h"

#include <string_view>

#include "text/token.h"

namespace {

// The emulator's columns fit a shortname of up to eight characters with
// two blanks or more to spare; such lines keep the tokens' rules.
constexpr std::size_t classicshortname = 8;

bool parsegameline(const line& piece, std::string_view& shortname, std::string_view& title) {
    std::string_view text = piece.text;
    std::string_view rest = text;
    std::string_view blanks;
    if (!nexttoken(rest, ' ', shortname)) return false;
    std::size_t quote = shortname.find('"');
    // A later piece of a long line was a line of its own to the emulator's
    // reader, whatever its first token: it keeps the tokens' rules too.
    bool later = piece.column > 1;
    if (later || (shortname.size() <= classicshortname && quote == std::string_view::npos)) {
        return nexttoken(rest, '"', blanks) && nexttoken(rest, '"', title);
    }
    // A longer shortname leaves one blank or none before the title in a
    // newer emulator's columns: the title is what the next two quotes hold.
    std::size_t start = static_cast<std::size_t>(shortname.data() - text.data());
    shortname = shortname.substr(0, quote);
    std::size_t open = text.find('"', start + shortname.size());
    std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
    if (shortname.empty() || close == std::string_view::npos) return false;
    title = text.substr(open + 1, close - open - 1);
    return true;
}

}  // namespace

void readlistfull(bytesource& source, gamelist& list) {
    linereader reader(source);
    line current;
    if (!reader.next(current)) {
        return;  // the header is discarded unexamined
    }
    while (reader.next(current)) {
        std::string_view shortname, title;
        if (parsegameline(current, shortname, title)) addgame(list, shortname, title);
    }
}
