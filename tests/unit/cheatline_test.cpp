#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/linekind.h"

namespace {

TEST(Classify, ByTheFirstCharacters) {
    const struct {
        const char* text;
        linekind kind;
    } cases[] = {
        {"##xEnd\n", linekind::endmarker}, {"## E", linekind::endmarker},
        {"# End\n", linekind::other},      {"## end\n", linekind::other},
        {"##E", linekind::other},          {"; [ Pac-Man ]\n", linekind::title},
        {";[ Pac-Man ]\n", linekind::other}, {"; ( Pac-Man )\n", linekind::other},
        {":pacman:0\n", linekind::cheat},  {" :pacman\n", linekind::other},
        {"", linekind::other},
    };
    for (const auto& c : cases) EXPECT_EQ(classify(c.text), c.kind) << c.text;
}

std::string titleof(const std::string& titleline) {
    blocktitle title;
    std::memset(title.text, '#', sizeof title.text);
    takeblocktitle(titleline.c_str(), title);
    return title.text;
}

TEST(BlockTitle, TheRawTitleLessItsLastTwoCharacters) {
    EXPECT_EQ(titleof("; [ Pac-Man (Midway) ]\n"), "Pac-Man (Midway)");
    EXPECT_EQ(titleof("; [ Pac-Man (Midway) ]"), "Pac-Man (Midway)");
    EXPECT_EQ(titleof("; [  Pac-Man ]\n"), " Pac-Man");
    EXPECT_EQ(titleof("; [ Pac-Man]\n"), "Pac-Ma");
    EXPECT_EQ(titleof("; [Ms. Pac-Man ]\n"), "Pac-Man");
    // Too short or missing gives an empty title; too long is cut.
    for (const char* odd : {"; [ x\n", "; [ xy\n", "; [ \n", "; [\n"}) EXPECT_EQ(titleof(odd), "") << odd;
    EXPECT_EQ(titleof("; [ " + std::string(300, 't') + " ]\n"), std::string(134, 't'));
}

TEST(CheatFields, FirstFiveColonSeparatedFields) {
    cheatfields f = splitfields(":pacman::1234:00000001:FFFFFFFF:Lives\n");
    EXPECT_EQ(f.shortname, "pacman");
    EXPECT_EQ(f.type, "1234");  // an empty field closes up
    EXPECT_EQ(f.address, "00000001");
    EXPECT_EQ(f.data, "FFFFFFFF");
    EXPECT_EQ(f.extended, "Lives\n");
    EXPECT_EQ(splitfields(":pacman:0:1:2:00000000\n").extended, "00000000\n");
    cheatfields missing = splitfields(":pacman:00000000");
    EXPECT_TRUE(missing.address.empty() && missing.data.empty() && missing.extended.empty());
    EXPECT_EQ(cheatshortname("::sf2:0"), "sf2");
    EXPECT_EQ(cheatshortname(":::\n"), "\n");
    EXPECT_EQ(cheatshortname(":::"), "");
}

}  // namespace
