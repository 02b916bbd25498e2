#pragma once

#include <memory>
#include <string_view>

#include "cheatfile/blocktitle.h"
#include "cheatfile/heldshortname.h"
#include "text/line.h"
#include "text/linecounter.h"
#include "cheatfile/linekind.h"
#include "gamelist/gamelist.h"
#include "gamewalk.h"
#include "report/diagnostics.h"

// What the field check needs to tell the findings of all three passes at
// the line that holds them, so that diagnostics come in the order of the
// file: where each line stands as an editor counts it, the cross-check's
// verdicts replayed line by line, the lines its title errors belong to, and
// the listed games a block title points to. Its tables are sized once, by
// the game list.
class diagnosticpass {
public:
    diagnosticpass(const gamelist& list, diagnostics& out);

    // Filled by the cross-check: the line opening the first block that
    // names each game (see runcrosscheck).
    std::unique_ptr<long long[]> firstblocks;

    // After the cross-check, before the field check.
    void prepare();

    // For every line the field check reads, the end marker included,
    // before the field check looks at it.
    void online(const line& current, linekind kind);
    // `shortname` is the line's first field.
    void oncheatline(std::string_view text, std::string_view shortname);
    // `firstfailed` points at the first failed field in the line.
    void onfieldissue(unsigned checks, const char* firstfailed);
    void onwarning();
    // Reads the lines after the end marker, then gives the closing note.
    void finish(linereader& reader);

private:
    location at(const char* where) const;
    void suggest(location where);

    const gamelist& list_;
    diagnostics& out_;
    gamewalk walk_;
    heldshortname lastreported_;
    heldshortname lastseen_;  // the previous cheat line's shortname, and whether it is listed
    bool lastlisted_ = false;
    blocktitle title_{};
    linecounter line_{1};         // the physical line the current line is in
    bool endsline_ = false;       // the current line ends its physical line
    long long column_ = 1;        // the current line's first column
    long long nextcolumn_ = 1;    // the same for the line after it
    const char* text_ = nullptr;  // the current line's text
    std::unique_ptr<int[]> bytitle_;  // the games by title, then by place in the list
    bool titlesordered_ = false;  // bytitle_ is made on first need
    std::unique_ptr<int[]> mismatched_;  // games whose title never matched, by first block
    int mismatchcount_ = 0;
    int nextmismatch_ = 0;
};
