#pragma once

#include <string>
#include <string_view>

#include "entrywriter.h"

// Where a finding stands in the cheat file as an editor counts: physical
// lines and byte columns, both from 1. The line comes as its decimal text;
// without one, the finding is about the file as a whole.
struct location {
    std::string_view line;
    long long column;
};

// Findings as compilers write them, one line each, for editors and CI to
// jump to:  FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK]
// Names and titles from the files are quoted as they are, but for control
// characters, which are written \xNN so that every finding stays one line.
class diagnostics {
public:
    // Lines go out through `out`; `filename` is shown escaped.
    diagnostics(reportwriter& out, std::string_view filename);

    void unlistedshortname(location at, std::string_view shortname);
    // The listed shortnames whose title is the block's title.
    void suggestion(location at, std::string_view title, const std::string_view* shortnames, int count);
    void titlemismatch(location at, std::string_view blocktitle, std::string_view shortname,
                       std::string_view emulatortitle);
    void nonascii(location at, unsigned char byte);
    // `checks` as the field check gives them: a clear bit is a failed check.
    void fieldissue(location at, unsigned checks);
    void zerovalue(location at);
    // The closing note, tied to no line.
    void nocheatentries(int games);

    void flush() { out_.flush(); }

private:
    void place(location at);
    void start(location at, std::string_view severity);
    void quoted(std::string_view text);
    void end(std::string_view check);

    reportwriter& out_;
    std::string filename_;
};
