#include "blocktitle.h"

#include <string_view>

#include "text/textcopy.h"
#include "text/token.h"

void takeblocktitle(std::string_view titleline, blocktitle& out) {
    std::string_view rest = titleline;
    std::string_view semicolon, bracket, raw;
    // The usual "; [ Title ]": the first two tokens are plain to see.
    bool usual = titleline.size() > 4 && titleline.substr(0, 4) == "; [ " && titleline[4] != '\n';
    if (usual) {
        raw = titleline.substr(4, titleline.find('\n', 4) - 4);
    }
    if ((usual || (nexttoken(rest, ' ', semicolon) && nexttoken(rest, ' ', bracket) && nexttoken(rest, '\n', raw))) &&
        raw.size() >= 2) {
        raw.remove_suffix(2);
    } else {
        raw = {};
    }
    copytext(out.text, blocktitlecapacity, raw);
}
