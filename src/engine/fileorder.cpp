#include "fileorder.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "cheatfile/blocktitle.h"
#include "text/closest.h"
#include "text/utf8.h"

fileorder::fileorder(shownfindings& shown, const gamelist& list, std::FILE* cheatfile)
    : shown_(shown), list_(list), cheatfile_(cheatfile) {}

void fileorder::found(const finding& what) {
    if (reading_) {
        show(what);
        return;
    }
    if (what.piece == 0) return;  // about no line
    bool inlinetext = what.game < 0;
    waiting record{what.piece,
                   what.block,
                   static_cast<std::uint32_t>(what.offset),
                   static_cast<std::uint32_t>(inlinetext ? what.text.size() : 0),
                   what.game,
                   what.firsttitlegame,
                   what.titlegames};
    waiting_[static_cast<int>(what.check)].records.add(record);
}

// Most queues fill in the order of the file; one that does not (the title
// mismatches, told game by game) is put in it, equal lines by game.
void fileorder::queue::sort() {
    auto before = [](const waiting& a, const waiting& b) {
        return a.piece != b.piece ? a.piece < b.piece : a.game < b.game;
    };
    bool sorted = true;
    for (std::size_t i = 1; sorted && i < records.size(); ++i) sorted = !before(records[i], records[i - 1]);
    if (sorted) return;
    std::vector<waiting> all;
    all.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) all.push_back(records[i]);
    std::stable_sort(all.begin(), all.end(), before);
    for (std::size_t i = 0; i < all.size(); ++i) records[i] = all[i];
}

void fileorder::show(const finding& what) {
    place where{physical_.text(), current_->column + static_cast<long long>(what.offset), physical_.number(),
                charsbefore_};
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
        for (queue& q : waiting_) q.sort();
        nextwaiting_ = soonestwaiting();
    }
    current_ = &current;
    // Characters before the piece, for formats that count them: a byte that
    // is not UTF-8 counts as one.
    charsbefore_ = current.column == 1 ? 0 : charsbefore_ + charsofpiece_;
    charsofpiece_ = current.highbyte ? codepoints(current.text) + static_cast<long long>(current.size - current.text.size())
                                     : static_cast<long long>(current.size);
    while (physical_.number() < current.physical) physical_.advance();
    if (shown_.needslinetext()) takelinetext(current);

    if (current.column == 1) unusedsuppressions(current);
    if (current.number < nextwaiting_) return;  // most lines: nothing waits for them
    blocktitle title;
    bool titletaken = false;
    for (const checkinfo& check : checktable) {
        queue& q = waiting_[static_cast<int>(check.id)];
        for (; q.at(current.number); ++q.next) {
            const waiting& record = q.records[q.next];
            finding f{check.id};
            f.at = &current;
            f.piece = current.number;
            f.offset = record.offset;
            f.game = record.game;
            f.firsttitlegame = record.firsttitlegame;
            f.titlegames = record.titlegames;
            f.block = record.block;
            if (record.game >= 0) {
                f.text = list_.games[record.game].shortname;
                f.other = list_.games[record.game].title;
            } else {
                f.text = current.text.substr(record.offset, record.length);
            }
            if (kind == linekind::title) {
                if (!titletaken) takeblocktitle(current.text, title);
                titletaken = true;
                f.blocktitle = title.text;
            }
            show(f);
        }
    }
    nextwaiting_ = soonestwaiting();
}

long long fileorder::soonestwaiting() const {
    long long soonest = std::numeric_limits<long long>::max();
    for (const queue& q : waiting_) {
        if (q.next < q.records.size()) soonest = std::min(soonest, q.records[q.next].piece);
    }
    return soonest;
}

// Once the findings are known (the engine has run the file once before
// with the suppressions, so that each knows whether it hid one), those
// that hid nothing are told at their lines: those of a selected check,
// and those that name no check.
void fileorder::unusedsuppressions(const line& current) {
    suppressions* suppressed = shown_.suppressed();
    if (suppressed == nullptr || !suppressed->known()) return;
    const std::vector<suppression>& entries = suppressed->entries();
    auto first = std::lower_bound(entries.begin(), entries.end(), current.physical,
                                  [](const suppression& entry, long long line) { return entry.line < line; });
    for (auto at = first; at != entries.end() && at->line == current.physical; ++at) {
        const checkinfo* check = findcheck(at->name);
        if (at->used || (check != nullptr && !shown_.selected(check->id))) continue;
        std::vector<std::string_view> names;
        for (const checkinfo& known : checktable) names.push_back(known.name);
        std::string closest(check == nullptr ? closestname(at->name, names) : std::string_view());
        finding unused{checkid::unusedsuppression};
        unused.at = &current;
        unused.piece = current.number;
        unused.offset = static_cast<std::size_t>(at->column - 1);
        unused.text = at->name;
        unused.other = closest;
        shown_.count(unused);
        show(unused);
    }
}

void fileorder::finish() { shown_.finish(); }
