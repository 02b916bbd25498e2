#include "gamelist/gamelistimport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "memoryfile.h"

namespace {

// Imports `content` and gives each entry as "shortname|title".
std::vector<std::string> imported(const std::string& content, bool* fitted = nullptr) {
    static auto list = std::make_unique<gamelist>();
    std::FILE* file = filewith(content);
    bool fit = importgamelist(file, *list);
    std::fclose(file);
    if (fitted != nullptr) *fitted = fit;
    std::vector<std::string> entries;
    for (int i = 0; i < list->count; ++i) {
        entries.push_back(std::string(list->games[i].shortname) + "|" + list->games[i].title);
    }
    return entries;
}

using entries = std::vector<std::string>;

TEST(Import, HeaderIsNeverImportedAndEmptyListsHaveNoGames) {
    EXPECT_EQ(imported("pacman  \"Looks like a game\"\nabc       \"Title  with blanks\" tail\n"),
              entries{"abc|Title  with blanks"});
    EXPECT_EQ(imported(""), entries{});
    EXPECT_EQ(imported("Name:     Description:\n"), entries{});
}

TEST(Import, SortsByteWiseAndEqualShortnamesByTitle) {
    EXPECT_EQ(imported("h\nzaxxon  \"Z\"\nabc  \"b\"\nAbc  \"A\"\n1942  \"N\"\nabc  \"a\"\n"),
              (entries{"1942|N", "Abc|A", "abc|a", "abc|b", "zaxxon|Z"}));
}

TEST(Import, OddQuotingFollowsTheTokenRules) {
    EXPECT_EQ(imported("h\n"
                       "a \"One blank\"\n"
                       "b  \"No closing quote\n"
                       "c  \"Has \"inner\" quote\"\n"
                       "d  \"\"\n"),
              (entries{"a|\n", "b|No closing quote\n", "c|Has ", "d|\n"}));
}

TEST(Import, SkipsLinesWithoutATitleOrWithTooLongAShortname) {
    EXPECT_EQ(imported("h\n\nlonely\n   \nabcdefghi  \"Nine\"\nabcdefgh  \"" + std::string(200, 'T') + "\"\n"),
              entries{"abcdefgh|" + std::string(134, 'T')});
}

std::string gamelines(int count) {
    std::string text = "Name:     Description:\n";
    for (int i = 0; i < count; ++i) text += "g" + std::to_string(i) + "  \"G\"\n";
    return text;
}

TEST(Import, TenThousandGamesFitOneMoreDoesNot) {
    bool fitted = false;
    EXPECT_EQ(imported(gamelines(maxgames) + "\n\nskipped\n", &fitted).size(), 10000u);
    EXPECT_TRUE(fitted);
    imported(gamelines(maxgames + 1), &fitted);
    EXPECT_FALSE(fitted);
}

}  // namespace
