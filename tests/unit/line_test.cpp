#include "cheatfile/line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memoryfile.h"

namespace {

using lines = std::vector<std::string>;

lines linesof(const std::string& content) {
    std::FILE* file = filewith(content);
    lines read;
    line current;
    while (readline(file, current)) read.emplace_back(current.text);
    std::fclose(file);
    return read;
}

TEST(ReadLine, LineFeedsAndCarriageReturns) {
    EXPECT_EQ(linesof("one\n\ntwo"), (lines{"one\n", "\n", "two"}));
    EXPECT_EQ(linesof("a\r\nb\rc\r\r\n"), (lines{"a\n", "b\rc\r\n"}));
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
    ASSERT_TRUE(readline(file, current) && readline(file, current));
    EXPECT_STREQ(current.text, "b");
    EXPECT_FALSE(readline(file, current));
    EXPECT_FALSE(readline(file, current));
    std::rewind(file);
    ASSERT_TRUE(readline(file, current));
    EXPECT_STREQ(current.text, "a\n");
    std::fclose(file);
}

}  // namespace
