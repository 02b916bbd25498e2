#pragma once

#include <map>
#include <string>
#include <string_view>

#include "checks/finding.h"

// Fingerprints that follow a finding when lines are added or removed
// elsewhere: made from what a baseline matches it by (baselinekey: its
// check, message and line, less what the tool's fixes change) and its
// place among the file's findings of that key, never from its line number.
class fingerprints {
public:
    void startfile(std::string_view name);
    // `linetext`: the finding's physical line, as a baseline keeps it.
    std::string next(const finding& what, std::string_view linetext);

private:
    std::string file_;
    std::map<std::string, long long> seen_;  // findings of each key so far in the file
};
