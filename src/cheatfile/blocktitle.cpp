#include "blocktitle.h"

#include <string_view>

#include "textcopy.h"
#include "token.h"

void takeblocktitle(std::string_view titleline, blocktitle& out) {
    std::string_view rest = titleline;
    std::string_view semicolon, bracket, raw;
    if (nexttoken(rest, ' ', semicolon) && nexttoken(rest, ' ', bracket) &&
        nexttoken(rest, '\n', raw) && raw.size() >= 2) {
        raw.remove_suffix(2);
    } else {
        raw = {};
    }
    copytext(out.text, blocktitlecapacity, raw);
}
