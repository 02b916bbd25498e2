#include "charscan.h"

#include "cheatfile/line.h"

namespace {

bool hashighbyte(const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80) {
            return true;
        }
    }
    return false;
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
