#include "text/line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "memoryfile.h"

namespace {

struct piece {
    std::string text;  // up to the first NUL
    std::size_t size;
    bool endsline;
    bool highbyte;
    std::uint64_t position;  // where it starts, plus one, when noted for a high byte
    bool operator==(const piece& other) const {
        return text == other.text && size == other.size && endsline == other.endsline &&
               highbyte == other.highbyte && position == other.position;
    }
};

using reading = std::vector<piece>;

// A small block size puts block ends everywhere.
reading read(const std::string& content, std::size_t blocksize) {
    static highbytelines noted;
    noted.count = 0;
    std::FILE* file = filewith(content);
    linereader reader(file, blocksize);
    reader.notehighbytes(&noted);
    reading result;
    line current;
    while (reader.next(current)) {
        result.push_back({std::string(current.text), current.size, current.endsline, current.highbyte, 0});
    }
    std::fclose(file);
    for (int i = 0; i < noted.count; ++i) {
        piece& p = result.at(static_cast<std::size_t>(noted.lines[i].number - 1));
        p.position = p.highbyte ? noted.lines[i].position + 1 : ~0ULL;
    }
    return result;
}

// The line rules one character at a time, as plainly as they can be put.
reading reference(const std::string& content) {
    reading result;
    std::size_t at = 0;
    bool stopped = false;
    while (!stopped) {
        std::size_t start = at;
        std::string text;
        while (text.size() < linecapacity && at < content.size()) {
            char c = content[at];
            if (c == '\x1A') {
                stopped = true;
                break;
            }
            ++at;
            if (c == '\r' && at < content.size() && content[at] == '\n') {
                ++at;
                c = '\n';
            }
            text += c;
            if (c == '\n') break;
        }
        if (text.empty()) break;
        std::string shown = text.substr(0, text.find('\0'));
        bool high = false;
        for (char c : shown) high = high || static_cast<unsigned char>(c) >= 0x80;
        result.push_back({shown, text.size(), text.back() == '\n', high, high ? start + 1 : 0});
    }
    return result;
}

// Special bytes land on every offset around the reader's block ends and
// the 511-character limit.
TEST(ReadLine, BlockReadsMatchTheCharacterRules) {
    for (std::size_t before : {65535u, 65536u - 511u, 131071u, 509u, 510u, 511u}) {
        for (const char* tail : {"\r\nb", "\r", "\rb", "\x1A\n", "\n\x1A", "\r\r\n", "\xE9\n", "\0\xE9\n"}) {
            std::string content = std::string(before, 'x') + std::string(tail, tail[0] == '\0' ? 3 : std::strlen(tail));
            ASSERT_EQ(read(content, 65536), reference(content)) << before << " " << tail;
        }
    }
    const char alphabet[] = {'a', 'b', '\n', '\r', '\0', ' ', '\xE9', '\x1A'};
    unsigned state = 7;
    for (int round = 0; round < 40; ++round) {
        std::string content;
        std::size_t size = 60000 + static_cast<std::size_t>(round) * 1777;
        while (content.size() < size) {
            state = state * 1103515245u + 12345u;
            unsigned pick = (state >> 16) % 1000;
            // Ctrl-Z and high bytes rarely, so most rounds read past the
            // first block and find their first high byte late.
            char c = pick == 0 && round % 4 == 0 ? '\x1A' : pick < 10 ? '\xE9' : alphabet[pick % 6];
            content.append(pick < 900 ? 1 : 500 + pick % 100, c);
        }
        ASSERT_EQ(read(content, round % 2 == 0 ? 65536 : 700 + round), reference(content)) << "round " << round;
    }
}

}  // namespace
