#pragma once

#include <cstdint>
#include <cstdio>

#include "cheatfile/linekind.h"
#include "checks/finding.h"
#include "gamelist/gamelist.h"
#include "report/baseline.h"
#include "report/shown.h"
#include "text/line.h"
#include "text/linecounter.h"
#include "text/textstore.h"

// Puts the findings of all three passes in the order of the file for what
// is shown of them: those told before the third pass waits, as small
// records, until the third pass reaches their line; the third pass's go
// straight on. On one line, findings go in the order of the table of
// checks. Each goes with its place (the physical line and byte column)
// and, for a baseline, the text of its physical line. Findings about no
// line (a listed game without cheats) are counted, not placed.
class fileorder {
public:
    // `cheatfile` is read again for the text of a line longer than a piece.
    fileorder(shownfindings& shown, const gamelist& list, std::FILE* cheatfile);

    void found(const finding& what);
    // A line the third pass or the engine reads, in the order of the file:
    // the findings waiting for it go first.
    void online(const line& current, linekind kind);
    // After the last line of the file.
    void finish();

private:
    // What a finding keeps while it waits: its text is a place in its line,
    // or the listed game it is about.
    struct waiting {
        long long piece;
        long long block;
        std::uint32_t offset;
        std::uint32_t length;
        int game;
        int firsttitlegame;
        int titlegames;
    };
    // Records that never move, read from the front.
    struct queue {
        itemstore<waiting> records;
        std::size_t next = 0;
        bool at(long long piece) const { return next < records.size() && records[next].piece == piece; }
        void sort();
    };

    void show(const finding& what);
    void unusedsuppressions(const line& current);
    // The first line a waiting finding is on.
    long long soonestwaiting() const;
    void takelinetext(const line& current);

    shownfindings& shown_;
    const gamelist& list_;
    std::FILE* cheatfile_;
    bool reading_ = false;  // the third pass has begun: findings go straight on
    queue waiting_[checkcount];
    long long nextwaiting_ = 0;
    const line* current_ = nullptr;
    linecounter physical_{0};
    baselineline linetext_;
    long long linetextof_ = 0;  // the physical line linetext_ holds
    long long charsbefore_ = 0, charsofpiece_ = 0;
};
