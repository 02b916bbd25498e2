#include "charscan.h"

#include <climits>

#include "text/linecounter.h"

namespace {

// A long cannot reach past 2 GB on some hosts.
bool seek(std::FILE* file, std::uint64_t position) {
    return position <= static_cast<std::uint64_t>(LONG_MAX) &&
           std::fseek(file, static_cast<long>(position), SEEK_SET) == 0;
}

void tell(const line& current, const linecounter& number, findingsink& out) {
    finding highbyte{checkid::nonascii};
    highbyte.at = &current;
    highbyte.piece = number.number();
    highbyte.number = number.text();
    std::string_view text = current.text;
    while (static_cast<unsigned char>(text[highbyte.offset]) < 0x80) ++highbyte.offset;  // there is one
    highbyte.text = text.substr(highbyte.offset, 1);
    out.found(highbyte);
}

// Reads on to the end of the file from line `from`, telling of the lines
// numbered `reported` and after that hold a byte above 0x7F.
void scanfrom(std::FILE* file, long long from, long long reported, findingsink& out) {
    linereader reader(file);
    line current;
    for (linecounter number(from); reader.next(current); number.advance()) {
        if (current.highbyte && number.number() >= reported) tell(current, number, out);
    }
}

}  // namespace

bool runcharscan(std::FILE* cheatfile, const highbytelines& noted, findingsink& out) {
    for (int i = 0; i < noted.count; ++i) {
        if (!seek(cheatfile, noted.lines[i].position)) return false;
        linereader reader(cheatfile, 1024);
        line current;
        if (reader.next(current)) tell(current, linecounter(noted.lines[i].number), out);
    }
    const highbytelines::place& rest = noted.firstunnoted;
    if (rest.number == 0) {
        return true;
    }
    if (seek(cheatfile, rest.position)) {
        scanfrom(cheatfile, rest.number, rest.number, out);
    } else {
        if (std::fseek(cheatfile, 0, SEEK_SET) != 0) return false;
        scanfrom(cheatfile, 1, rest.number, out);
    }
    return true;
}
