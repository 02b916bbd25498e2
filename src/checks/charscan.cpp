#include "charscan.h"

#include <climits>

#include "text/linecounter.h"

namespace {

// A long cannot reach past 2 GB on some hosts.
bool seek(std::FILE* file, std::uint64_t position) {
    return position <= static_cast<std::uint64_t>(LONG_MAX) &&
           std::fseek(file, static_cast<long>(position), SEEK_SET) == 0;
}

// Reads on to the end of the file from line `from`, reporting the lines
// numbered `reported` and after that hold a byte above 0x7F.
void scanfrom(std::FILE* file, long long from, long long reported, report& out) {
    linereader reader(file);
    line current;
    for (linecounter number(from); reader.next(current); number.advance()) {
        if (current.highbyte && number.number() >= reported) {
            addillegalcharacters(out, number.text(), current.text);
        }
    }
}

}  // namespace

bool runcharscan(std::FILE* cheatfile, const highbytelines& noted, report& out) {
    for (int i = 0; i < noted.count; ++i) {
        if (!seek(cheatfile, noted.lines[i].position)) return false;
        linereader reader(cheatfile, 1024);
        line current;
        if (reader.next(current)) {
            addillegalcharacters(out, linecounter(noted.lines[i].number).text(), current.text);
        }
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
