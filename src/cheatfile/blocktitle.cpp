#include "blocktitle.h"

#include <string_view>

#include "text/textcopy.h"
#include "titleline.h"
#include "text/token.h"

void takeblocktitle(std::string_view titleline, blocktitle& out) {
    std::string_view rest = titleline;
    std::string_view semicolon, bracket, raw;
    // The usual "; [ Title ]": the first two tokens are plain to see.
    std::size_t start = usualopening.size();
    bool usual = titleline.size() > start && titleline.substr(0, start) == usualopening && titleline[start] != '\n';
    if (usual) {
        raw = titleline.substr(start, titleline.find('\n', start) - start);
    }
    if ((usual || (nexttoken(rest, ' ', semicolon) && nexttoken(rest, ' ', bracket) && nexttoken(rest, '\n', raw))) &&
        raw.size() >= 2) {
        raw.remove_suffix(2);
    } else {
        raw = {};
    }
    copytext(out.text, blocktitlecapacity, raw);
}
