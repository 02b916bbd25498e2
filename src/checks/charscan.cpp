#include "charscan.h"

#include <cstring>

#include "cheatfile/line.h"

namespace {

bool hashighbyte(const char* text) {
    // No early exit, so the compiler can test many bytes at once.
    std::size_t length = std::strlen(text);
    unsigned char seen = 0;
    for (std::size_t i = 0; i < length; ++i) {
        seen |= static_cast<unsigned char>(text[i]);
    }
    return seen >= 0x80;
}

}  // namespace

void runcharscan(std::FILE* cheatfile, report& out) {
    long long linenumber = 0;
    linereader reader(cheatfile);
    line current;
    while (reader.next(current)) {
        ++linenumber;
        if (hashighbyte(current.text)) {
            addillegalcharacters(out, linenumber, current.text);
        }
    }
}
