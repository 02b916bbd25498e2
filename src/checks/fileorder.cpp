#include "fileorder.h"

#include <algorithm>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"

fileorder::fileorder(shownfindings& shown, const gamelist& list, std::FILE* cheatfile)
    : shown_(shown),
      list_(list),
      cheatfile_(cheatfile),
      mismatches_(std::make_unique<waiting[]>(static_cast<std::size_t>(list.count))) {}

void fileorder::found(const finding& what) {
    if (reading_) {
        show(what);
        return;
    }
    waiting record{what.piece, static_cast<std::uint32_t>(what.offset), what.game, what.firsttitlegame,
                   what.titlegames};
    switch (what.check) {
        case checkid::unlistedshortname: unlisted_.records.add(record); break;
        case checkid::nonascii: nonascii_.records.add(record); break;
        case checkid::titlemismatch: mismatches_[mismatchcount_++] = record; break;
        default: break;  // a listed game without cheats is told at the end
    }
}

void fileorder::show(const finding& what) {
    place where{physical_.text(), current_->column + static_cast<long long>(what.offset)};
    shown_.show(what, where, linetext_.text());
}

// The text of the current physical line without its end, for a baseline:
// the line as read, or, for a line longer than a piece, read again.
void fileorder::takelinetext(const line& current) {
    if (current.physical == linetextof_) return;
    linetextof_ = current.physical;
    linetext_.clear();
    std::string_view bytes(current.text.data(), current.size);
    if (endsphysical(current)) {
        if (!bytes.empty() && bytes.back() == '\n') bytes.remove_suffix(1);
        linetext_.add(bytes);
        return;
    }
    long resume = std::ftell(cheatfile_);
    std::uint64_t start = current.position - static_cast<std::uint64_t>(current.column - 1);
    if (resume < 0 || std::fseek(cheatfile_, static_cast<long>(start), SEEK_SET) != 0) return;
    // To its line feed (less a CR before it), a Ctrl-Z or the end.
    char block[4096];
    bool cr = false;  // a CR ended the last block: kept unless a line feed follows
    for (;;) {
        std::size_t got = std::fread(block, 1, sizeof block, cheatfile_);
        std::string_view part(block, got);
        std::size_t end = part.find_first_of(std::string_view("\n\x1A", 2));
        if (cr && !(got > 0 && block[0] == '\n')) linetext_.add("\r");
        cr = false;
        if (got == 0) break;
        std::string_view text = part.substr(0, end);
        bool crlf = !text.empty() && text.back() == '\r' && (end == std::string_view::npos || block[end] == '\n');
        if (crlf) text.remove_suffix(1);
        linetext_.add(text);
        if (end != std::string_view::npos) break;
        cr = crlf;
    }
    std::fseek(cheatfile_, resume, SEEK_SET);
    std::clearerr(cheatfile_);
}

void fileorder::online(const line& current, linekind kind) {
    if (!reading_) {
        reading_ = true;
        std::sort(mismatches_.get(), mismatches_.get() + mismatchcount_,
                  [](const waiting& a, const waiting& b) { return a.piece != b.piece ? a.piece < b.piece : a.game < b.game; });
    }
    current_ = &current;
    while (physical_.number() < current.physical) physical_.advance();
    if (shown_.needslinetext()) takelinetext(current);

    for (; nextmismatch_ < mismatchcount_ && mismatches_[nextmismatch_].piece == current.number; ++nextmismatch_) {
        const waiting& record = mismatches_[nextmismatch_];
        const gameentry& game = list_.games[record.game];
        blocktitle title{};
        if (kind == linekind::title) takeblocktitle(current.text, title);
        finding mismatch{checkid::titlemismatch};
        mismatch.at = &current;
        mismatch.piece = current.number;
        mismatch.game = record.game;
        mismatch.text = game.shortname;
        mismatch.other = game.title;
        mismatch.blocktitle = title.text;
        show(mismatch);
    }
    for (; unlisted_.at(current.number); ++unlisted_.next) {
        const waiting& record = unlisted_.records[unlisted_.next];
        finding unlisted{checkid::unlistedshortname};
        unlisted.at = &current;
        unlisted.piece = current.number;
        unlisted.offset = record.offset;
        unlisted.text = cheatshortname(current.text);
        unlisted.firsttitlegame = record.firsttitlegame;
        unlisted.titlegames = record.titlegames;
        show(unlisted);
    }
    for (; nonascii_.at(current.number); ++nonascii_.next) {
        finding highbyte{checkid::nonascii};
        highbyte.at = &current;
        highbyte.piece = current.number;
        highbyte.offset = nonascii_.records[nonascii_.next].offset;
        show(highbyte);
    }
}

void fileorder::finish(linereader& reader) {
    for (line rest; reader.next(rest);) online(rest, linekind::other);
    shown_.finish();
}
