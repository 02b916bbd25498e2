#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "cheatfile/linekind.h"
#include "gamelist/gamelist.h"
#include "gamelist/titleindex.h"
#include "report/baseline.h"
#include "report/finding.h"
#include "report/shown.h"
#include "text/line.h"
#include "text/linecounter.h"
#include "text/textstore.h"

// Puts the findings of all three passes in the order of the file for what
// is shown of them: those of the first two passes wait, as small records,
// until the third pass reaches their line; the third pass's go straight
// on. Each goes with its place (the physical line and byte column) and,
// for a baseline, the text of its physical line.
class fileorder {
public:
    // `cheatfile` is read again for the text of a line longer than a piece.
    fileorder(shownfindings& shown, const gamelist& list, std::FILE* cheatfile);

    void found(const finding& what);
    // The third pass reads `current`: the findings waiting for it go first.
    void online(const line& current, linekind kind);
    // After the third pass stops: the rest of the file, then the end.
    void finish(linereader& reader);

private:
    struct waiting {
        long long piece;
        std::uint32_t offset;
        int game;  // title mismatch
        int firsttitlegame;
        int titlegames;
    };
    // A queue of records that never move, read from the front.
    struct queue {
        itemstore<waiting> records;
        std::size_t next = 0;
        bool at(long long piece) const { return next < records.size() && records[next].piece == piece; }
    };

    void show(const finding& what);
    void takelinetext(const line& current);

    shownfindings& shown_;
    const gamelist& list_;
    std::FILE* cheatfile_;
    bool reading_ = false;  // the third pass has begun: findings go straight on
    queue unlisted_, nonascii_;
    // Title mismatches, at most one a game: sorted by line when the third
    // pass begins.
    std::unique_ptr<waiting[]> mismatches_;
    int mismatchcount_ = 0;
    int nextmismatch_ = 0;
    const line* current_ = nullptr;
    linecounter physical_{0};
    baselineline linetext_;
    long long linetextof_ = 0;  // the physical line linetext_ holds
};
