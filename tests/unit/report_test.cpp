// The report layouts are checked byte for byte by the end-to-end cases;
// these pin the summary and the box width on their own.

#include "report/report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "memoryfile.h"

namespace {

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

TEST(Report, RunWithoutFindingsAndEveryFramedLineIs61Characters) {
    std::FILE* results = scratchfile();
    std::FILE* warnings = scratchfile();
    std::FILE* console = scratchfile();
    report out{results, warnings, console};
    writeresultsheader(out, 34);
    writewarningsheader(out, 34);
    writesummary(out);
    EXPECT_EQ(contentof(results), "Vettle Scan Results (34 Games Imported from MAME)\n" + std::string(58, '=') +
                                      noissuesummary);
    EXPECT_EQ(contentof(console), noissuesummary);

    addillegalcharacters(out, 1, "x\n");
    addfieldissue(out, 2, 0, "y\n");
    std::istringstream text(contentof(results) + contentof(warnings));
    std::string textline;
    int framed = 0;
    while (std::getline(text, textline)) {
        if (textline.rfind("**", 0) == 0) {
            EXPECT_EQ(textline.size(), 61u) << textline;
            ++framed;
        }
    }
    EXPECT_EQ(framed, 22);
    for (std::FILE* file : {results, warnings, console}) std::fclose(file);
}

}  // namespace
