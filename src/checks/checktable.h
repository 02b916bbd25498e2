#pragma once

#include <string_view>

// Every check the tool makes, in the order of the reports: what the
// reports, the diagnostics, --help, --select and --ignore, the statistics
// and the baseline all go by.
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
};
constexpr int checkcount = 9;

enum class severity { error, warning, note };

// Where a check's findings go in the reports.
enum class section {
    unmatchedshortname,
    nocheatentries,
    titlemismatch,
    illegalcharacters,
    fieldissues,
    warnings,  // the warnings report, which has no sections
};
constexpr int sectioncount = 5;  // of the results report

struct checkinfo {
    checkid id;
    std::string_view name;
    severity level;
    section where;
    std::string_view description;  // one line: what it finds, and when that may be noise
};

extern const checkinfo checktable[checkcount];

inline const checkinfo& infoof(checkid check) { return checktable[static_cast<int>(check)]; }

// The check of that name, or null.
const checkinfo* findcheck(std::string_view name);

std::string_view severityname(severity level);
