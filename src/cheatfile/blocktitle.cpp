#include "blocktitle.h"

#include <cstring>
#include <string_view>

#include "token.h"

void takeblocktitle(const char* titleline, blocktitle& out) {
    std::string_view rest(titleline);
    std::string_view semicolon, bracket, raw;
    std::size_t length = 0;
    if (nexttoken(rest, ' ', semicolon) && nexttoken(rest, ' ', bracket) &&
        nexttoken(rest, '\n', raw) && raw.size() >= 2) {
        length = raw.size() - 2;
        if (length > blocktitlecapacity) {
            length = blocktitlecapacity;
        }
        std::memcpy(out.text, raw.data(), length);
    }
    out.text[length] = '\0';
}
