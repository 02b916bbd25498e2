#include "checks/gamewalk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

struct WalkTest : ::testing::Test {
    std::unique_ptr<gamelist> list = std::make_unique<gamelist>();
    std::unique_ptr<gamewalk> walk;

    // A new walk over the list as it now stands.
    void startwalk() {
        walk = std::make_unique<gamewalk>(*list);
        resting = 0;
    }
    // Both ways of making the key: with the bytes after the name readable
    // (trailing text that must not count), and without.
    int find(const char* name) {
        std::string padded = std::string(name) + ":xyzxyzxy";
        int found = findgame(*walk, std::string_view(padded.data(), std::strlen(name)), padded.size());
        int index = walk->index;
        walk->index = resting;
        EXPECT_EQ(findgame(*walk, name), found) << name;
        EXPECT_EQ(walk->index, index) << name;
        resting = walk->index;
        return found;
    }
    int resting = 0;
};

// The walk one entry at a time, as the design describes it: it never turns,
// and needing to turn ends it one step back.
int stepbystep(int& index, const gamelist& list, std::string_view shortname) {
    if (list.count == 0) return -1;
    int heading = 0;
    for (;;) {
        int order = compare(shortname, list.games[index].shortname);
        if (order == 0) return index;
        int step = order > 0 ? 1 : -1;
        if (index + step < 0 || index + step >= list.count) return -1;
        index += step;
        if (heading == -step) return -1;
        heading = step;
    }
}

// Short names from a small alphabet, a high byte among them, give long runs
// of equal names, names that prefix others, and misses between neighbours;
// long names share their first eight bytes (a key's worth) and differ after.
TEST_F(WalkTest, LandsWhereTheStepByStepWalkLands) {
    unsigned state = 99;
    auto next = [&state](unsigned below) { return state = state * 1103515245u + 12345u, (state >> 16) % below; };
    auto randomname = [&next]() {
        std::string name = next(6) == 0 ? (next(2) == 0 ? "abcabcab" : "abcabca") : "";
        std::size_t length = name.empty() ? 1 + next(3) : next(3);
        for (std::size_t i = 0; i < length; ++i) name += "abc\xE9"[next(4)];
        return name;
    };
    for (int round = 0; round < 200; ++round) {
        cleargamelist(*list);
        int count = static_cast<int>(next(400));
        for (int i = 0; i < count; ++i) addgame(*list, randomname(), "");
        finishgamelist(*list);
        int reference = 0;
        startwalk();
        for (int search = 0; search < 300; ++search) {
            std::string name = randomname();
            int expected = stepbystep(reference, *list, name);
            ASSERT_EQ(find(name.c_str()), expected) << name << " round " << round;
            ASSERT_EQ(walk->index, reference) << name << " round " << round;
        }
    }
}

}  // namespace
