#pragma once

#include <string_view>
#include <vector>

#include "baseline.h"
#include "cheatfile/suppressions.h"
#include "checks/checktable.h"
#include "checks/finding.h"
#include "emitter.h"
#include "text/textstore.h"

// What the user asked to see of the findings, the one place that decides
// it: the checks selected (--select, --ignore), the findings a baseline or
// a suppression in the cheat file hides, and where the rest go
// (diagnostics, a baseline being written). The counts it keeps are what
// --statistics prints and --strict and the summary go by.
struct showing {
    bool selected[checkcount] = {};
    emitter* lines = nullptr;              // the findings written in a format, or nowhere
    baseline* known = nullptr;             // the findings to hide, or none
    baselinewriter* record = nullptr;      // where to record the findings, or nowhere
    suppressions* suppressed = nullptr;    // those of the cheat file, or none
};

class shownfindings {
public:
    explicit shownfindings(const showing& asked) : asked_(asked) {}

    // Whether findings must also come in the order of the file, at their
    // places, and with the text of their lines.
    bool inorder() const {
        return asked_.lines != nullptr || asked_.known != nullptr || asked_.record != nullptr ||
               asked_.suppressed != nullptr;
    }
    bool needslinetext() const {
        return asked_.known != nullptr || asked_.record != nullptr ||
               (asked_.lines != nullptr && asked_.lines->needslinetext());
    }

    // Each finding as a pass tells it. One about no line is shown here, or
    // hidden by a suppression of the whole file.
    void count(const finding& what);
    // Each finding with a line, in the order of the file: shown unless a
    // suppression or the baseline hides it. `linetext`: its physical line,
    // when needed.
    void show(const finding& what, const place& where, std::string_view linetext);
    // After the last line.
    void finish();

    bool selected(checkid check) const { return asked_.selected[static_cast<int>(check)]; }
    suppressions* suppressed() const { return asked_.suppressed; }
    // Findings of the check that are shown.
    long long shown(checkid check) const { return counts_[static_cast<int>(check)]; }
    // Whether an error is shown (a listed game without cheats is no error).
    bool anyerror() const;

    // After finish(): a fix is made only where its finding is shown (the
    // block of a rename, the game of a title, the field of an upper-casing).
    bool hides(const fix& change) const;
    // Shown findings that one of the fixes removes.
    long long fixable(const std::vector<const fix*>& made) const;

private:
    // Where a finding a fix can remove stands, for matching the two.
    struct fixablekey {
        checkid check;
        long long at;  // the block (a rename), the game (a title), the physical line (a field)
        std::size_t offset;
        bool operator<(const fixablekey& other) const {
            return check != other.check ? check < other.check : at != other.at ? at < other.at : offset < other.offset;
        }
        bool operator==(const fixablekey& other) const {
            return check == other.check && at == other.at && offset == other.offset;
        }
    };
    static fixablekey keyof(const finding& what, const place& where);
    static fixablekey keyof(const fix& change);
    void note(std::vector<fixablekey>& keys, const finding& what, const place& where);
    // Whether no note has stood at the line yet; one does from now on.
    bool firstnoteat(long long line);

    showing asked_;
    itemstore<std::uint64_t> noted_;  // the lines a note has been written at, a bit a line
    long long lastnoted_ = 0;
    long long counts_[checkcount] = {};
    std::vector<fixablekey> hidden_, shownkeys_;  // sorted by finish()
};
