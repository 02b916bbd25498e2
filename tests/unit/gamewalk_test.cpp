#include "checks/gamewalk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>

namespace {

struct WalkTest : ::testing::Test {
    std::unique_ptr<gamelist> list = std::make_unique<gamelist>();
    gamewalk walk;

    void setlist(std::initializer_list<const char*> shortnames) {
        list->count = 0;
        for (const char* name : shortnames) std::strcpy(list->games[list->count++].shortname, name);
    }
    int find(const char* name) { return findgame(walk, *list, name); }
};

TEST_F(WalkTest, FindsEitherWayAndStopsAtTheTurn) {
    setlist({"aaa", "bbb", "ddd", "eee"});
    EXPECT_EQ(find("ddd"), 2);
    EXPECT_EQ(find("aaa"), 0);
    // Forward from 0: the turn at ddd steps back onto the last name before it.
    EXPECT_EQ(find("ccc"), -1);
    EXPECT_EQ(walk.index, 1);
    // Backward from 3: the turn at bbb steps forward onto the first name after it.
    walk.index = 3;
    EXPECT_EQ(find("ccc"), -1);
    EXPECT_EQ(walk.index, 2);
    EXPECT_EQ(find("eee"), 3);
}

TEST_F(WalkTest, NamesBeyondEitherEndRestOnThatEnd) {
    setlist({"bbb", "ccc", "ddd"});
    EXPECT_EQ(find("zzz"), -1);
    EXPECT_EQ(walk.index, 2);
    EXPECT_EQ(find("aaa"), -1);
    EXPECT_EQ(walk.index, 0);
    EXPECT_EQ(find("ccc"), 1);
    setlist({});
    EXPECT_EQ(find("ccc"), -1);
}

TEST_F(WalkTest, WholeByteWiseNamesAndEqualShortnames) {
    setlist({"Pacman", "dup", "dup", "pacman", "pacmanbl"});
    EXPECT_EQ(find("pacmanbl"), 4);
    EXPECT_EQ(find("pacmanblx"), -1);
    EXPECT_EQ(find("\xE9t\xE9"), -1);  // high bytes sort after ASCII
    EXPECT_EQ(find("dup"), 2);        // reached from above
    walk.index = 0;
    EXPECT_EQ(find("dup"), 1);        // reached from below
}

}  // namespace
