#include "gamelistimport.h"

#include <algorithm>
#include <string_view>

#include "cheatfile/line.h"
#include "cheatfile/textcopy.h"
#include "cheatfile/token.h"

namespace {

bool parsegameline(std::string_view text, std::string_view& shortname, std::string_view& title) {
    std::string_view rest = text;
    std::string_view blanks;
    return nexttoken(rest, ' ', shortname) && nexttoken(rest, '"', blanks) &&
           nexttoken(rest, '"', title);
}

// Equal shortnames are ordered by title, so the order never depends on the
// sort algorithm or on the host.
bool sortsbefore(const gameentry& a, const gameentry& b) {
    int order = compare(a, b);
    if (order != 0) {
        return order < 0;
    }
    return compare(std::string_view(a.title), std::string_view(b.title)) < 0;
}

}  // namespace

bool importgamelist(std::FILE* file, gamelist& list) {
    list.count = 0;
    linereader reader(file);
    line current;
    if (!reader.next(current)) {
        return true;  // the header is discarded unexamined
    }
    while (reader.next(current)) {
        std::string_view shortname, title;
        // A cut shortname could match another game, so it is not imported.
        if (!parsegameline(current.text, shortname, title) ||
            shortname.size() > shortnamecapacity) {
            continue;
        }
        if (list.count == maxgames) {
            return false;
        }
        gameentry& entry = list.games[list.count++];
        copytext(entry.shortname, shortnamecapacity, shortname);
        copytext(entry.title, titlecapacity, title);
        entry.hascheats = false;
        entry.titlematches = false;
    }
    std::sort(list.games, list.games + list.count, sortsbefore);
    return true;
}
