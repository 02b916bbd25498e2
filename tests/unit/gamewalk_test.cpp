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
        int order = compare(shortname, std::string_view(list.games[index].shortname));
        if (order == 0) return index;
        int step = order > 0 ? 1 : -1;
        if (index + step < 0 || index + step >= list.count) return -1;
        index += step;
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
        // Now and then longer than a listed name may be.
        std::size_t length = next(8) == 0 ? 8 + next(3) : 1 + next(3);
        for (std::size_t i = 0; i < length; ++i) name[i] = "abc\xE9"[next(4)];
        name[length] = '\0';
    };
    for (int round = 0; round < 200; ++round) {
        list->count = static_cast<int>(next(400));
        for (int i = 0; i < list->count; ++i) {
            char name[11];
            randomname(name);
            name[shortnamecapacity] = '\0';
            std::strcpy(list->games[i].shortname, name);
        }
        std::sort(list->games, list->games + list->count,
                  [](const gameentry& a, const gameentry& b) { return compare(a, b) < 0; });
        int reference = 0;
        startwalk();
        for (int search = 0; search < 300; ++search) {
            char name[11];
            randomname(name);
            int expected = stepbystep(reference, *list, name);
            ASSERT_EQ(find(name), expected) << name << " round " << round;
            ASSERT_EQ(walk->index, reference) << name << " round " << round;
        }
    }
}

}  // namespace
