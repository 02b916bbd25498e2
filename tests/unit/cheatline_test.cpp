#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/linekind.h"

namespace {

TEST(Classify, EndMarkerNeedsTwoHashesAndEInFourthPlace) {
    EXPECT_EQ(classify("##xEnd\n"), linekind::endmarker);
    EXPECT_EQ(classify("## E"), linekind::endmarker);
    EXPECT_EQ(classify("# End\n"), linekind::other);
    EXPECT_EQ(classify("## end\n"), linekind::other);
    EXPECT_EQ(classify("##E"), linekind::other);
    EXPECT_EQ(classify("##"), linekind::other);
}

TEST(Classify, TitleCheatAndOtherLines) {
    EXPECT_EQ(classify("; [ Pac-Man ]\n"), linekind::title);
    EXPECT_EQ(classify(";[ Pac-Man ]\n"), linekind::other);
    EXPECT_EQ(classify("; ( Pac-Man )\n"), linekind::other);
    EXPECT_EQ(classify(":pacman:00000000\n"), linekind::cheat);
    EXPECT_EQ(classify(" :pacman\n"), linekind::other);
    EXPECT_EQ(classify(""), linekind::other);
}

std::string titleof(const std::string& titleline) {
    blocktitle title;
    std::memset(title.text, '#', sizeof title.text);
    takeblocktitle(titleline.c_str(), title);
    return title.text;
}

TEST(BlockTitle, DropsTheLastTwoCharactersOfTheRawTitle) {
    EXPECT_EQ(titleof("; [ Pac-Man (Midway) ]\n"), "Pac-Man (Midway)");
    EXPECT_EQ(titleof("; [ Pac-Man (Midway) ]"), "Pac-Man (Midway)");
    EXPECT_EQ(titleof("; [  Pac-Man ]\n"), " Pac-Man");
    EXPECT_EQ(titleof("; [ Pac-Man]\n"), "Pac-Ma");
    EXPECT_EQ(titleof("; [Ms. Pac-Man ]\n"), "Pac-Man");
}

TEST(BlockTitle, OddTitleLinesGiveAnEmptyOrCutTitle) {
    EXPECT_EQ(titleof("; [ x\n"), "");
    EXPECT_EQ(titleof("; [ \n"), "");
    EXPECT_EQ(titleof("; [\n"), "");
    EXPECT_EQ(titleof("; [ xy\n"), "");
    std::string longtitle(300, 't');
    EXPECT_EQ(titleof("; [ " + longtitle + " ]\n"), std::string(134, 't'));
    EXPECT_EQ(titleof("; [ " + std::string(134, 'u') + " ]\n"), std::string(134, 'u'));
}

TEST(CheatFields, SplitsTheFirstFiveFields) {
    cheatfields f = splitfields(":pacman:00000000:1234:00000001:FFFFFFFF:Infinite Lives\n");
    EXPECT_EQ(f.shortname, "pacman");
    EXPECT_EQ(f.type, "00000000");
    EXPECT_EQ(f.address, "1234");
    EXPECT_EQ(f.data, "00000001");
    EXPECT_EQ(f.extended, "FFFFFFFF");
}

TEST(CheatFields, EmptyFieldsCloseUpAndTheLastFieldKeepsTheLineFeed) {
    cheatfields f = splitfields(":pacman::1234:00000001:FFFFFFFF:Lives\n");
    EXPECT_EQ(f.type, "1234");
    EXPECT_EQ(f.address, "00000001");
    EXPECT_EQ(f.data, "FFFFFFFF");
    EXPECT_EQ(f.extended, "Lives\n");
    EXPECT_EQ(splitfields(":pacman:0:1:2:00000000\n").extended, "00000000\n");
}

TEST(CheatFields, MissingFieldsAreEmpty) {
    cheatfields f = splitfields(":pacman:00000000");
    EXPECT_EQ(f.shortname, "pacman");
    EXPECT_EQ(f.type, "00000000");
    EXPECT_TRUE(f.address.empty() && f.data.empty() && f.extended.empty());
    EXPECT_TRUE(splitfields(std::string(300, ':').c_str()).shortname.empty());
}

}  // namespace
