#pragma once

#include <cstdio>
#include <string_view>

#include "entrywriter.h"

// Sections of the results file, in the order they appear.
enum class section {
    unmatchedshortname,
    nocheatentries,
    titlemismatch,
    illegalcharacters,
    fieldissues,
};
constexpr int sectioncount = 5;

// Writes the two reports and the findings echoed on the console. It opens
// nothing: the run driver owns the files. Report text is held in large
// buffers until the summary; console text goes out entry by entry. A
// report without a console writes only the two files.
struct report {
    report(std::FILE* resultsfile, std::FILE* warningsfile, std::FILE* consolefile)
        : results(resultsfile), warnings(warningsfile), console(consolefile) {}

    reportwriter results;
    reportwriter warnings;
    std::FILE* console;
    // Set when any results section opens; decides the closing summary.
    bool seriousissue = false;
    // Set when a section of faults opens: every one but the list of games
    // without cheats, which the game list alone fills.
    bool fault = false;
    bool opened[sectioncount] = {};
};

void writeresultsheader(report& out, int games);
void writewarningsheader(report& out, int games);

// "; %-9s [ %s ]" to the results file and the console; the shortname is
// padded to nine columns but never cut.
void addpairentry(report& out, section where, std::string_view shortname, std::string_view title);

// The field check's results: a bit that is set means that check passed.
namespace checkbit {
constexpr unsigned shortname = 0x01;
constexpr unsigned type = 0x02;
constexpr unsigned address = 0x04;
constexpr unsigned data = 0x08;
constexpr unsigned extended = 0x10;
constexpr unsigned unneededfields = 0x20;
constexpr unsigned mask = 0x40;
constexpr unsigned zero = 0x80;
}  // namespace checkbit

// The checks whose failure goes to the results report, in the order the
// report names them, with their names as written there.
struct namedcheck {
    unsigned bit;
    std::string_view name;
};
extern const namedcheck namedchecks[7];

// A text that names the failed checks: `before`, the names in report order
// (as the report writes them, or without their blanks and separated by
// commas), then `after`. A big file asks for the same few again and again,
// so each is made once, the first time it is asked for.
class failedchecktexts {
public:
    enum class names { asreported, aslist };
    failedchecktexts(std::string_view before, names style, std::string_view after)
        : before_(before), style_(style), after_(after) {}

    // `checks` as the field check gives them: a clear bit is a failed check.
    std::string_view of(unsigned checks);

private:
    static constexpr unsigned results = 0x7F;  // the checks whose names can appear
    std::string_view before_;
    names style_;
    std::string_view after_;
    char texts_[results + 1][192];
    std::size_t lengths_[results + 1] = {};
};

// Line entries: a message with the line number, then the cheat file line as
// read, to the results file only.
// The line number comes as its decimal text.
void addillegalcharacters(report& out, std::string_view linenumber, std::string_view linetext);
void addfieldissue(report& out, std::string_view linenumber, unsigned checks, std::string_view linetext);

void addwarningentry(report& out, std::string_view linenumber, std::string_view linetext);

// To the results file, then identically to the console. Both reports are
// then handed to their files whole.
void writesummary(report& out);
