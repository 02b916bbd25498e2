#pragma once

#include <string_view>

#include "baseline.h"
#include "checks/checktable.h"
#include "diagnostics.h"
#include "checks/finding.h"

// What the user asked to see of the findings, the one place that decides
// it: the checks selected (--select, --ignore), the findings a baseline
// hides, and where the rest go (diagnostics, a baseline being written).
// The counts it keeps are what --statistics prints and --strict goes by.
struct showing {
    bool selected[checkcount];
    diagnostics* lines = nullptr;      // FILE:LINE:COLUMN: lines, or none
    baseline* known = nullptr;         // the findings to hide, or none
    baselinewriter* record = nullptr;  // where to record the findings, or nowhere
};

class shownfindings {
public:
    explicit shownfindings(const showing& asked) : asked_(asked) {}

    // Whether findings must also come in the order of the file, at their
    // places, and with the text of their lines.
    bool inorder() const { return asked_.lines != nullptr || asked_.known != nullptr || asked_.record != nullptr; }
    bool needslinetext() const { return asked_.known != nullptr || asked_.record != nullptr; }

    // Each finding as a pass tells it.
    void count(const finding& what) {
        if (asked_.selected[static_cast<int>(what.check)]) ++counts_[static_cast<int>(what.check)];
    }
    // Each finding with a line, in the order of the file: shown unless the
    // baseline hides it. `linetext`: its physical line, when needed.
    void show(const finding& what, const place& where, std::string_view linetext);
    // After the last line.
    void finish();

    bool selected(checkid check) const { return asked_.selected[static_cast<int>(check)]; }
    // Findings of the check that are shown.
    long long shown(checkid check) const { return counts_[static_cast<int>(check)]; }
    // Whether an error is shown (a listed game without cheats is no error).
    bool anyerror() const;

private:
    showing asked_;
    long long counts_[checkcount] = {};
};
