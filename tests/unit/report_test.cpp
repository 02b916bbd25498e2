#include "report/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "memoryfile.h"

namespace {

struct ReportTest : ::testing::Test {
    std::FILE* results = std::tmpfile();
    std::FILE* warnings = std::tmpfile();
    std::FILE* console = std::tmpfile();
    report out{results, warnings, console};

    ~ReportTest() override {
        std::fclose(results);
        std::fclose(warnings);
        std::fclose(console);
    }
};

const char* const rule = "*************************************************************\n";

const char* const noissuesummary =
    "\n"
    "*************************************************************\n"
    "** The vettle didn't find any 'serious' issues             **\n"
    "** this should NOT be taken that the scanned cheat file is **\n"
    "** perfect. As there will always be some errors that the   **\n"
    "** vettle simply doesn't know about/check for!             **\n"
    "**                                                         **\n"
    "** You should check the cheatscanwarnings.txt file for any **\n"
    "** WARNINGS - they are flagged up for INVESTIGATION ONLY!  **\n"
    "*************************************************************\n"
    "\n";

TEST_F(ReportTest, RunWithoutFindings) {
    writeresultsheader(out, 34);
    writesummary(out);
    EXPECT_EQ(contentof(results), std::string("Vettle Scan Results (34 Games Imported from MAME)\n") +
                                      std::string(58, '=') + noissuesummary);
    EXPECT_EQ(contentof(console), noissuesummary);
}

TEST_F(ReportTest, EveryFramedLineIs61Characters) {
    writewarningsheader(out, 0);
    addillegalcharacters(out, 1, "x\n");
    addfieldissue(out, 2, 0, "y\n");
    writesummary(out);
    for (std::FILE* file : {results, warnings}) {
        std::istringstream text(contentof(file));
        std::string textline;
        int framed = 0;
        while (std::getline(text, textline)) {
            if (textline.rfind("**", 0) == 0) {
                EXPECT_EQ(textline.size(), 61u) << textline;
                EXPECT_EQ(textline.substr(59), "**");
                ++framed;
            }
        }
        EXPECT_GE(framed, 5);
    }
}

TEST_F(ReportTest, FieldIssuesHeaderWarnsOnlyAfterEarlierSections) {
    addfieldissue(out, 7, 0xFF & ~0x02u, ":a:b\n");
    std::string alone = contentof(results);
    EXPECT_EQ(alone, std::string("\n\n") + rule +
                         "** The following is a list of cheat lines with issues      **\n" + rule +
                         "\nLine 7 has an illegal size/characters in fields : type \n:a:b\n\n");

    std::FILE* again = std::tmpfile();
    report later{again, warnings, console};
    addpairentry(later, section::nocheatentries, "pacman", "Pac-Man");
    addfieldissue(later, 7, 0, ":a:b\n");
    std::string text = contentof(again);
    EXPECT_NE(text.find("** ONLY LOOK AT THESE AFTER YOU'VE FIXED ALL OF THE ABOVE! **\n"), std::string::npos);
    EXPECT_NE(text.find(" shortname  type  address  data  extended  unneeded fields should = 0  suspect mask \n"),
              std::string::npos);
    std::fclose(again);
}

TEST_F(ReportTest, PairEntriesPadToNineColumnsButNeverCut) {
    addpairentry(out, section::unmatchedshortname, "pacman", "Pac-Man");
    addpairentry(out, section::unmatchedshortname, "abcdefgh", "Eight");
    addpairentry(out, section::unmatchedshortname, "abcdefghij", "");
    std::string entries = "; pacman    [ Pac-Man ]\n; abcdefgh  [ Eight ]\n; abcdefghij [  ]\n";
    EXPECT_EQ(contentof(console),
              "The following game cheats should be removed or the shortname should be renamed:\n\n" + entries);
    EXPECT_EQ(contentof(results),
              "\n\nThe following game cheats should be removed or the shortname should be renamed:\n\n" + entries);
}

TEST_F(ReportTest, AnyFindingDropsTheNoIssueLinesFromTheSummary) {
    addpairentry(out, section::nocheatentries, "pacman", "Pac-Man");
    writesummary(out);
    std::string console_text = contentof(console);
    EXPECT_EQ(console_text.find("didn't find"), std::string::npos);
    EXPECT_NE(console_text.find(std::string("\n") + rule +
                                "** You should check the cheatscanwarnings.txt file for any **\n"),
              std::string::npos);
}

TEST_F(ReportTest, WarningEntriesKeepTheLineAsRead) {
    addwarningentry(out, 12, ":pacman:%s%n\n");
    EXPECT_EQ(contentof(warnings), "Possible illegal zero address or mask at Line 12\n:pacman:%s%n\n\n");
}

}  // namespace
