#include "diagnosticpass.h"

#include <algorithm>
#include <cstring>


diagnosticpass::diagnosticpass(const gamelist& list, diagnostics& out)
    : firstblocks(std::make_unique<long long[]>(static_cast<std::size_t>(list.count))),
      list_(list),
      out_(out),
      walk_(list),
      bytitle_(std::make_unique<int[]>(static_cast<std::size_t>(list.count))),
      mismatched_(std::make_unique<int[]>(static_cast<std::size_t>(list.count))) {}

void diagnosticpass::prepare() {
    const gameentry* games = list_.games;
    for (int i = 0; i < list_.count; ++i) {
        if (games[i].hascheats && !games[i].titlematches) mismatched_[mismatchcount_++] = i;
    }
    std::sort(mismatched_.get(), mismatched_.get() + mismatchcount_, [this](int a, int b) {
        return firstblocks[a] != firstblocks[b] ? firstblocks[a] < firstblocks[b] : a < b;
    });
}

location diagnosticpass::at(const char* where) const {
    return {line_.text(), column_ + static_cast<long long>(where - text_)};
}

void diagnosticpass::online(const line& current, linekind kind) {
    if (endsline_) line_.advance();
    column_ = nextcolumn_;
    endsline_ = current.endsline;
    nextcolumn_ = current.endsline ? 1 : column_ + static_cast<long long>(current.size);
    text_ = current.text.data();
    if (kind == linekind::title) takeblocktitle(current.text, title_);
    for (; nextmismatch_ < mismatchcount_ && firstblocks[mismatched_[nextmismatch_]] == current.number;
         ++nextmismatch_) {
        const gameentry& game = list_.games[mismatched_[nextmismatch_]];
        out_.titlemismatch(at(text_), title_.text, game.shortname, game.title);
    }
    if (current.highbyte) {
        const char* c = text_;
        while (static_cast<unsigned char>(*c) < 0x80) ++c;  // there is one
        out_.nonascii(at(c), static_cast<unsigned char>(*c));
    }
}

// Replays the cross-check's verdict on this line: an unlisted shortname is
// told unless it is the one told last. The lines of a block share their
// shortname, so the search is made once a block.
void diagnosticpass::oncheatline(std::string_view text, std::string_view shortname) {
    if (shortname != lastseen_.view()) {
        auto readable = static_cast<std::size_t>(text.data() + text.size() - shortname.data());
        lastlisted_ = findgame(walk_, shortname, readable) >= 0;
        lastseen_.hold(shortname);
    }
    if (lastlisted_ || shortname == lastreported_.view()) return;
    lastreported_.hold(shortname);
    out_.unlistedshortname(at(shortname.data()), shortname);
    suggest(at(shortname.data()));
}

// The listed games whose title is the block's title, first three in the
// order of the list: a renamed game, most likely.
void diagnosticpass::suggest(location where) {
    std::string_view title = title_.text;
    const gameentry* games = list_.games;
    if (!titlesordered_) {
        for (int i = 0; i < list_.count; ++i) bytitle_[i] = i;
        std::sort(bytitle_.get(), bytitle_.get() + list_.count, [games](int a, int b) {
            int order = compare(games[a].title, games[b].title);
            return order != 0 ? order < 0 : a < b;
        });
        titlesordered_ = true;
    }
    const int* end = bytitle_.get() + list_.count;
    const int* first = std::lower_bound(static_cast<const int*>(bytitle_.get()), end, title,
                                        [games](int game, std::string_view t) { return games[game].title < t; });
    std::string_view names[3];
    int count = 0;
    for (const int* game = first; game != end && count < 3 && games[*game].title == title; ++game) {
        names[count++] = games[*game].shortname;
    }
    if (count > 0) out_.suggestion(where, title, names, count);
}

void diagnosticpass::onfieldissue(unsigned checks, const char* firstfailed) { out_.fieldissue(at(firstfailed), checks); }

void diagnosticpass::onwarning() { out_.zerovalue(at(text_)); }

void diagnosticpass::finish(linereader& reader) {
    for (line rest; reader.next(rest);) {
        online(rest, linekind::other);
    }
    int withoutcheats = 0;
    for (int i = 0; i < list_.count; ++i) {
        if (!list_.games[i].hascheats) ++withoutcheats;
    }
    if (withoutcheats > 0) out_.nocheatentries(withoutcheats);
    out_.flush();
}
