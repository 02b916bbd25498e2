#include "line.h"

namespace {

// Old DOS-era files end at a Ctrl-Z; the tool's first host stops reading
// there, and every host does the same so that reports agree.
constexpr int endoffilemark = 0x1A;

}  // namespace

bool readline(std::FILE* file, line& out) {
    std::size_t length = 0;
    while (length < linecapacity) {
        int c = std::getc(file);
        if (c == EOF) {
            break;
        }
        if (c == endoffilemark) {
            std::ungetc(c, file);  // stays put, so later reads end here too
            break;
        }
        if (c == '\r') {
            // CR LF is one line feed on every host; a lone CR is kept.
            int next = std::getc(file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, file);
            }
        }
        out.text[length++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    out.text[length] = '\0';
    return length > 0;
}
