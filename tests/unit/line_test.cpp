#include "cheatfile/line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "memoryfile.h"

namespace {

using lines = std::vector<std::string>;

// Whole lines as read, bytes after a NUL included, so a reader that copies
// too little or too much shows up.
lines linesof(const std::string& content) {
    std::FILE* file = filewith(content);
    linereader reader(file);
    lines read;
    line current;
    while (reader.next(current)) read.emplace_back(current.text);
    std::fclose(file);
    return read;
}

TEST(ReadLine, LineFeedsAndCarriageReturns) {
    EXPECT_EQ(linesof("one\n\ntwo"), (lines{"one\n", "\n", "two"}));
    EXPECT_EQ(linesof("a\r\nb\rc\r\r\n"), (lines{"a\n", "b\rc\r\n"}));
    EXPECT_EQ(linesof("end\r"), (lines{"end\r"}));
    EXPECT_EQ(linesof(""), lines{});
}

TEST(ReadLine, LongLinesArriveIn511CharacterPieces) {
    EXPECT_EQ(linesof(std::string(600, 'x') + "\n"), (lines{std::string(511, 'x'), std::string(89, 'x') + "\n"}));
    EXPECT_EQ(linesof(std::string(511, 'y') + "\n"), (lines{std::string(511, 'y'), "\n"}));
    // The CR of a CR LF does not count toward the 511.
    EXPECT_EQ(linesof(std::string(510, 'z') + "\r\nnext"), (lines{std::string(510, 'z') + "\n", "next"}));
}

TEST(ReadLine, TextEndsAtFirstNulButTheLineIsStillRead) {
    EXPECT_EQ(linesof(std::string("ab\0cd\n\0\ne\n", 10)), (lines{"ab", "", "e\n"}));
}

TEST(ReadLine, CtrlZEndsTheFileUntilARewind) {
    std::FILE* file = filewith("a\nb\x1A" "c\nd\n");
    line current;
    linereader first(file);
    ASSERT_TRUE(first.next(current) && first.next(current));
    EXPECT_STREQ(current.text, "b");
    EXPECT_FALSE(first.next(current));
    EXPECT_FALSE(first.next(current));
    std::rewind(file);
    linereader second(file);
    ASSERT_TRUE(second.next(current));
    EXPECT_STREQ(current.text, "a\n");
    std::fclose(file);
}

// The line rules one character at a time, as plainly as they can be put.
lines referencelines(const std::string& content) {
    lines read;
    std::size_t at = 0;
    bool stopped = false;
    while (!stopped) {
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
        read.push_back(text.substr(0, text.find('\0')));
    }
    return read;
}

// Special bytes land on every offset around the reader's block ends.
TEST(ReadLine, BlockReadsMatchTheCharacterRules) {
    for (std::size_t block : {65536u, 131072u}) {
        for (const char* tail : {"\r\nb", "\r", "\rb", "\x1A\n", "\n\x1A"}) {
            std::string content = std::string(block - 1, 'x') + tail;
            ASSERT_EQ(linesof(content), referencelines(content)) << block << " " << tail;
        }
    }
    const char alphabet[] = {'a', 'b', '\n', '\r', '\0', ' ', 'c', '\x1A'};
    unsigned state = 7;
    for (int round = 0; round < 40; ++round) {
        std::string content;
        std::size_t size = 60000 + static_cast<std::size_t>(round) * 1777;
        while (content.size() < size) {
            state = state * 1103515245u + 12345u;
            unsigned pick = (state >> 16) % 100;
            // Ctrl-Z rarely, so most rounds read past the first block.
            char c = pick == 0 && round % 4 == 0 ? '\x1A' : alphabet[pick % 7];
            content.append(pick < 90 ? 1 : 600, c);
        }
        ASSERT_EQ(linesof(content), referencelines(content)) << "round " << round;
    }
}

}  // namespace
