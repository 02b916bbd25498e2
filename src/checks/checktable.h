#pragma once

#include <string_view>

#include "text/textcollector.h"

// Every check the tool makes, in the order of the reports. The table of
// checks (checktable.cpp) holds all that a check has besides its rule and
// its tests: the reports, the diagnostics, --help, --select and --ignore,
// the statistics, the baseline and the manual all go by it.
enum class checkid {
    unlistedshortname,
    nocheatentries,
    titlemismatch,
    nonascii,
    shortnamemismatch,
    fieldformat,
    unneededfields,
    suspectmask,
    zerovalue,
    // Only a dialect's passes find these (checks/dialect.h).
    unloadedcheat,
    duplicatecheat,
    linkwithoutcheat,
    unsafeline,
    longdescription,
    ignoredline,
    firstcheatlinked,
    longtext,
    unusedsuppression,
};
constexpr int checkcount = 18;

enum class severity { error, warning, note };

// Where a check's findings go in the reports.
enum class section {
    unmatchedshortname,
    nocheatentries,
    titlemismatch,
    illegalcharacters,
    fieldissues,
    warnings,  // the warnings report, which has no sections
    none,      // no report: what only `vettle check` finds
};
constexpr int sectioncount = 5;  // of the results report

struct finding;

struct checkinfo {
    checkid id;
    std::string_view name;
    severity level;
    section where;
    bool usual;  // on where a run chooses no checks itself: not a list, nor mostly noise
    // Writes what a finding says (withlines: may name other lines of the
    // file), from its field, text, other, blocktitle and setat alone, so
    // that a message made once may serve every finding that has the same.
    void (*message)(textcollector& out, const finding& what, bool withlines);
    bool bytext;  // the message says no more than the finding's field and text, so a made one may be kept
    std::string_view summary;      // one line: what it finds, and when that may be noise
    std::string_view explanation;  // why it matters
    std::string_view example;      // a line it finds something in
    std::string_view fixed;        // that line as a certain fix leaves it; empty where none is
    std::string_view byhand;       // how a person fixes it
};

extern const checkinfo checktable[checkcount];

inline const checkinfo& infoof(checkid check) { return checktable[static_cast<int>(check)]; }

// The check of that name, or null.
const checkinfo* findcheck(std::string_view name);

std::string_view severityname(severity level);

// The widest check name, for columns.
std::size_t checknamewidth();
