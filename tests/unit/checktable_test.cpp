#include "checks/checktable.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "report/baseline.h"

namespace {

// Everything else goes by these rows: infoof() indexes them by id, --select
// finds them by name, and --help, the statistics and the manual list them.
TEST(CheckTable, RowsStandInTheOrderOfTheirIdsWithEverythingACheatHas) {
    std::set<std::string_view> names;
    for (int i = 0; i < checkcount; ++i) {
        const checkinfo& check = checktable[i];
        SCOPED_TRACE(std::string(check.name));
        EXPECT_EQ(static_cast<int>(check.id), i);
        EXPECT_TRUE(std::regex_match(std::string(check.name), std::regex("[a-z]+(-[a-z]+)+")));
        EXPECT_TRUE(names.insert(check.name).second) << "named twice";
        EXPECT_EQ(findcheck(check.name), &check);
        EXPECT_NE(check.message, nullptr);
        EXPECT_FALSE(check.summary.empty());
        EXPECT_LE(check.summary.size(), 50u) << "one line of --help";
        EXPECT_FALSE(check.explanation.empty());
        EXPECT_FALSE(check.byhand.empty());
        EXPECT_TRUE(check.fixed.empty() || !check.example.empty()) << "a fix of what?";
    }
    EXPECT_EQ(findcheck("no-such-check"), nullptr);
    EXPECT_EQ(checknamewidth(), std::string_view("unlisted-shortname").size());
}

// What a baseline entry is matched by: the parts the tool's own fixes
// change are left out, nothing else.
TEST(BaselineKey, LeavesOutWhatFixesChangeAndKeepsTheRest) {
    const struct {
        const char* recorded;
        const char* now;
        bool same;
    } pairs[] = {
        // A rename changes the line's shortname; an upper-cased field its case.
        {"zero-value\tpossible illegal zero address or mask\t:baraduka:00000000:0000:00000001:FFFFFFFF:x",
         "zero-value\tpossible illegal zero address or mask\t:baraduke:00000000:0000:00000001:FFFFFFFF:x", true},
        {"suspect-mask\textended field '000000ff' is a suspect mask\t:a:0000000a:1234:00000001:000000ff:x",
         "suspect-mask\textended field '000000FF' is a suspect mask\t:a:0000000A:1234:00000001:000000FF:x", true},
        {"shortname-mismatch\tshortname 'galaga' differs from the block's shortname 'baraduka'\t:galaga:0:1:2:3",
         "shortname-mismatch\tshortname 'galaga' differs from the block's shortname 'baraduke'\t:galaga:0:1:2:3", true},
        {"zero-value\tm\t::a:0000000a:0000:x", "zero-value\tm\t:b:0000000A:0000:x", true},
        {"unlisted-shortname\tm\t:a:0000000a:x", "unlisted-shortname\tm\t:a:0000000A:x", true},
        // An unlisted shortname is the finding itself.
        {"unlisted-shortname\tshortname 'a' is not in the emulator's game list\t:a:0:1:2:3",
         "unlisted-shortname\tshortname 'b' is not in the emulator's game list\t:b:0:1:2:3", false},
        // Anything else that differs is another finding.
        {"zero-value\tm\t:a:00000000:0000:00000001:FFFFFFFF:x", "zero-value\tm\t:a:00000000:0000:00000002:FFFFFFFF:x",
         false},
        {"zero-value\tm\t:a:0:1:2:3:Lives", "zero-value\tm\t:a:0:1:2:3:LIVES", false},
        {"zero-value\tm\t; a comment\\x0D", "zero-value\tm\t; A comment\\x0D", false},
        {"zero-value\tm\t:a:0:1", "field-format\tm\t:a:0:1", false},
        {"non-ascii\tbyte 0xE9 is above 0x7F\t; [ Pok\\xE9mon ]", "non-ascii\tbyte 0xE9 is above 0x7F\t; [ Pok\\xE9mon ]",
         true},
    };
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair.now);
        EXPECT_EQ(baselinekey(pair.recorded) == baselinekey(pair.now), pair.same);
    }
}

}  // namespace
