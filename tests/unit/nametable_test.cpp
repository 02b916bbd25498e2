#include "text/nametable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Items stay where they were put while the slots are laid out again, each
// name finds its own item, and names that differ only in their length or
// in a byte past another's end stay apart.
TEST(NameTable, FindsEachNameAcrossGrowthWithItemsThatNeverMove) {
    nametable<long long> table;
    std::vector<long long*> placed;
    std::vector<std::string> names;
    for (int i = 0; i < 5000; ++i) names.push_back("game" + std::to_string(i));
    names.push_back(std::string("a"));
    names.push_back(std::string("a\0", 2));
    names.push_back(std::string("a\0b", 3));
    // Names kept beside their items and names kept apart, either side of
    // the length where one becomes the other.
    names.push_back(std::string(16, 'n'));
    names.push_back(std::string(17, 'n'));
    names.push_back(std::string(15, 'n') + 'm');
    names.push_back(std::string(16, 'n') + 'm');
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(table.find(names[i]), nullptr) << names[i];
        long long& item = table.add(names[i]);
        item = static_cast<long long>(i);
        placed.push_back(&item);
    }
    EXPECT_EQ(table.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        long long* found = table.find(names[i]);
        ASSERT_EQ(found, placed[i]) << names[i];
        EXPECT_EQ(*found, static_cast<long long>(i));
    }
    EXPECT_EQ(table.find("game5000"), nullptr);
    EXPECT_EQ(table.find(""), nullptr);
    EXPECT_EQ(table.find(std::string("a\0c", 3)), nullptr);
    EXPECT_EQ(table.find(std::string(18, 'n')), nullptr);
}
