#include "checks/gamewalk.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The walk one entry at a time, as the design describes it: it never turns,
// and needing to turn ends it one step back.
int stepbystep(gamewalk& walk, const gamelist& list, std::string_view shortname) {
    if (list.count == 0) return -1;
    int heading = 0;
    for (;;) {
        int order = compare(shortname, std::string_view(list.games[walk.index].shortname));
        if (order == 0) return walk.index;
        int step = order > 0 ? 1 : -1;
        if (walk.index + step < 0 || walk.index + step >= list.count) return -1;
        walk.index += step;
        if (heading == -step) return -1;
        heading = step;
    }
}

// Short names from a small alphabet, a high byte among them, give long runs
// of equal names, names that prefix others, and misses between neighbours.
TEST_F(WalkTest, LandsWhereTheStepByStepWalkLands) {
    unsigned state = 99;
    auto next = [&state](unsigned below) { return state = state * 1103515245u + 12345u, (state >> 16) % below; };
    auto randomname = [&next](char* name) {
        std::size_t length = 1 + next(3);
        for (std::size_t i = 0; i < length; ++i) name[i] = "ab\xE9"[next(3)];
        name[length] = '\0';
    };
    for (int round = 0; round < 200; ++round) {
        list->count = static_cast<int>(next(400));
        for (int i = 0; i < list->count; ++i) randomname(list->games[i].shortname);
        std::sort(list->games, list->games + list->count,
                  [](const gameentry& a, const gameentry& b) { return compare(a, b) < 0; });
        gamewalk reference;
        walk = gamewalk{};
        for (int search = 0; search < 300; ++search) {
            char name[4];
            randomname(name);
            int expected = stepbystep(reference, *list, name);
            ASSERT_EQ(find(name), expected) << name << " round " << round;
            ASSERT_EQ(walk.index, reference.index) << name << " round " << round;
        }
    }
}

}  // namespace
