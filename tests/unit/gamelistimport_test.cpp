#include "gamelist/gamelistimport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "memoryfile.h"

namespace {

struct ImportTest : ::testing::Test {
    std::unique_ptr<gamelist> list = std::make_unique<gamelist>();

    bool import(const std::string& content) {
        std::FILE* file = filewith(content);
        bool fitted = importgamelist(file, *list);
        std::fclose(file);
        return fitted;
    }
    std::string shortname(int i) const { return list->games[i].shortname; }
    std::string title(int i) const { return list->games[i].title; }
};

TEST_F(ImportTest, SkipsTheHeaderAndTakesShortnameAndTitle) {
    ASSERT_TRUE(import("pacman  \"Looks like a game\"\n"
                       "abc       \"Title with  inner blanks\" trailing\n"));
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(shortname(0), "abc");
    EXPECT_EQ(title(0), "Title with  inner blanks");
    EXPECT_FALSE(list->games[0].hascheats || list->games[0].titlematches);
}

TEST_F(ImportTest, EmptyOrHeaderOnlyListHasNoGames) {
    EXPECT_TRUE(import(""));
    EXPECT_EQ(list->count, 0);
    EXPECT_TRUE(import("Name:     Description:\n"));
    EXPECT_EQ(list->count, 0);
}

TEST_F(ImportTest, SortsByteWiseWithDigitsAndCapitalsFirst) {
    ASSERT_TRUE(import("header\nzaxxon  \"Z\"\nAbc  \"A\"\n1942  \"N\"\nabc  \"a\"\n"));
    ASSERT_EQ(list->count, 4);
    EXPECT_EQ(shortname(0), "1942");
    EXPECT_EQ(shortname(1), "Abc");
    EXPECT_EQ(shortname(2), "abc");
    EXPECT_EQ(shortname(3), "zaxxon");
}

TEST_F(ImportTest, EqualShortnamesAreOrderedByTitle) {
    ASSERT_TRUE(import("header\ngame  \"Second\"\ngame  \"First\"\n"));
    EXPECT_EQ(title(0), "First");
    EXPECT_EQ(title(1), "Second");
}

TEST_F(ImportTest, OddQuotingFollowsTheTokenRules) {
    ASSERT_TRUE(import("header\n"
                       "a \"One blank\"\n"
                       "b  \"No closing quote\n"
                       "c  \"Has \"inner\" quote\"\n"
                       "d  \"\"\n"));
    ASSERT_EQ(list->count, 4);
    EXPECT_EQ(title(0), "\n");
    EXPECT_EQ(title(1), "No closing quote\n");
    EXPECT_EQ(title(2), "Has ");
    EXPECT_EQ(title(3), "\n");
}

TEST_F(ImportTest, LinesWithoutShortnameOrTitleAreSkipped) {
    ASSERT_TRUE(import("header\n\nlonely\n   \nok  \"Fine\"\n\n"));
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(shortname(0), "ok");
}

TEST_F(ImportTest, OverlongShortnameIsSkippedAndOverlongTitleCut) {
    ASSERT_TRUE(import("header\n"
                       "abcdefghi  \"Nine\"\n"
                       "abcdefgh  \"" + std::string(200, 'T') + "\"\n"));
    ASSERT_EQ(list->count, 1);
    EXPECT_EQ(shortname(0), "abcdefgh");
    EXPECT_EQ(title(0), std::string(134, 'T'));
}

TEST_F(ImportTest, PiecesOfAnOverlongLineAreReadLikeLines) {
    // The second piece holds a game line of its own.
    std::string first = "g1  \"" + std::string(506, 'x');
    ASSERT_EQ(first.size(), 511u);
    ASSERT_TRUE(import("header\n" + first + "g2  \"Second\"\n"));
    ASSERT_EQ(list->count, 2);
    EXPECT_EQ(title(0), std::string(134, 'x'));
    EXPECT_EQ(shortname(1), "g2");
}

std::string gamelines(int count) {
    std::string text = "Name:     Description:\n";
    for (int i = 0; i < count; ++i) {
        text += "g" + std::to_string(i) + "  \"Game " + std::to_string(i) + "\"\n";
    }
    return text;
}

TEST_F(ImportTest, TenThousandGamesFitOneMoreDoesNot) {
    EXPECT_TRUE(import(gamelines(maxgames)));
    EXPECT_EQ(list->count, maxgames);
    EXPECT_FALSE(import(gamelines(maxgames + 1) + "\n\n"));
    EXPECT_TRUE(import(gamelines(maxgames) + "\n\nskipped\n"));
}

}  // namespace
