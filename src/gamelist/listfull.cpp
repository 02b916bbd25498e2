#include "listfull.h"

#include <string_view>

#include "text/token.h"

namespace {

bool parsegameline(std::string_view text, std::string_view& shortname, std::string_view& title) {
    std::string_view rest = text;
    std::string_view blanks;
    return nexttoken(rest, ' ', shortname) && nexttoken(rest, '"', blanks) && nexttoken(rest, '"', title);
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
        if (parsegameline(current.text, shortname, title)) addgame(list, shortname, title);
    }
}
