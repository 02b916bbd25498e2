#pragma once

#include <cstdio>
#include <string_view>

#include "checks/fieldfailure.h"
#include "entrywriter.h"
#include "checks/finding.h"

// Writes the two reports and the findings echoed on the console. It opens
// nothing: the run driver owns the files. Report text is held in large
// buffers until the summary; console text goes out entry by entry. A
// report without a console writes only the two files, and one without
// files only the console. Findings come as the passes tell them, each
// filed in its section; the field check's findings of one line make one
// entry.
struct report final : findingsink {
    report(std::FILE* resultsfile, std::FILE* warningsfile, std::FILE* consolefile)
        : results(resultsfile), warnings(warningsfile), console(consolefile) {}

    void found(const finding& what) override;

    reportwriter results;
    reportwriter warnings;
    std::FILE* console;
    // Set when any results section opens; decides the closing summary.
    bool seriousissue = false;
    bool opened[sectioncount] = {};
    long long lastfieldissue = 0;  // the line whose field issues were written last
};

void writeresultsheader(report& out, int games);
void writewarningsheader(report& out, int games);

// To the results file, then identically to the console. Both reports are
// then handed to their files whole.
void writesummary(report& out);
