#include "cheatfile/line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memoryfile.h"

namespace {

std::vector<std::string> linesof(const std::string& content) {
    std::FILE* file = filewith(content);
    std::vector<std::string> lines;
    line current;
    while (readline(file, current)) {
        lines.emplace_back(current.text);
    }
    std::fclose(file);
    return lines;
}

using lines = std::vector<std::string>;

TEST(ReadLine, KeepsLineFeedsAndReadsLastLineWithoutOne) {
    EXPECT_EQ(linesof("one\n\ntwo"), (lines{"one\n", "\n", "two"}));
    EXPECT_EQ(linesof(""), lines{});
}

TEST(ReadLine, CrLfReadsAsLineFeedButLoneCrStays) {
    EXPECT_EQ(linesof("a\r\nb\rc\r\r\n"), (lines{"a\n", "b\rc\r\n"}));
}

TEST(ReadLine, SplitsLongLinesAt511Characters) {
    std::string longline(600, 'x');
    EXPECT_EQ(linesof(longline + "\n"), (lines{std::string(511, 'x'), std::string(89, 'x') + "\n"}));
    EXPECT_EQ(linesof(std::string(511, 'y') + "\n"), (lines{std::string(511, 'y'), "\n"}));
    EXPECT_EQ(linesof(std::string(510, 'z') + "\n"), (lines{std::string(510, 'z') + "\n"}));
}

TEST(ReadLine, CarriageReturnDoesNotCountTowardTheLimit) {
    EXPECT_EQ(linesof(std::string(510, 'z') + "\r\nnext"), (lines{std::string(510, 'z') + "\n", "next"}));
}

TEST(ReadLine, TextEndsAtFirstNulButTheLineIsStillRead) {
    EXPECT_EQ(linesof(std::string("ab\0cd\n", 6) + std::string("\0\n", 2) + "e\n"),
              (lines{"ab", "", "e\n"}));
}

TEST(ReadLine, CtrlZEndsTheFileForGood) {
    std::FILE* file = filewith("a\nb\x1A" "c\nd\n");
    line current;
    ASSERT_TRUE(readline(file, current));
    ASSERT_TRUE(readline(file, current));
    EXPECT_STREQ(current.text, "b");
    EXPECT_FALSE(readline(file, current));
    EXPECT_FALSE(readline(file, current));
    std::rewind(file);
    ASSERT_TRUE(readline(file, current));
    EXPECT_STREQ(current.text, "a\n");
    std::fclose(file);
}

}  // namespace
