#include "diagnostics.h"

#include "checks/messages.h"
#include "text/escaped.h"
#include "text/shorttext.h"
#include "formats/formats.h"
#include "text/textcollector.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

template <class writer>
void quoted(writer& out, std::string_view text) {
    out.put('\'');
    putescaped(out, text);
    out.put('\'');
}

}  // namespace

diagnostics::diagnostics(reportwriter& out, std::string_view filename, const gamelist& list,
                         const titleindex* titles, std::string_view results)
    : diagnostics(out) {
    filename_ = padded(escaped(filename));
    results_ = escaped(results);
    list_ = &list;
    titles_ = titles;
}

diagnostics::diagnostics(reportwriter& out) : out_(out), list_(nullptr), titles_(nullptr) {
    for (severity level : {severity::error, severity::warning, severity::note}) {
        severities_[static_cast<int>(level)] = padded(": " + std::string(severityname(level)) + ": ");
    }
    for (const checkinfo& check : checktable) {
        endings_[static_cast<int>(check.id)] = " [" + std::string(check.name) + "]\n";
    }
}

void diagnostics::startfile(const emitfile& file) {
    filename_ = padded(escaped(file.name));
    list_ = &file.list;
    titles_ = file.titles;
}

void diagnostics::finding(const struct finding& what, const place& where, std::string_view) { write(what, where); }

// Written in place, with the text that follows when it is short: every
// finding starts so.
alwaysinline void diagnostics::start(const place& where, severity level, std::string_view then) {
    const padded& said = severities_[static_cast<int>(level)];
    std::size_t most = filename_.size() + where.line.size() + 24 + said.size() + padded::chunk + then.size();
    if (most > 4096) {  // a file name or a message of thousands of characters: in parts
        out_.put(filename_.view());
        if (!where.line.empty()) out_.put(":"), out_.put(where.line), out_.put(":"), out_.putnumber(where.column);
        out_.put(said.view());
        out_.put(then);
        return;
    }
    char* at = filename_.copyto(out_.claim(most));
    if (!where.line.empty()) {
        *at++ = ':';
        at = copyshort(at, where.line);
        *at++ = ':';
        auto column = static_cast<unsigned long long>(where.column);
        if (column < 10) {  // most columns
            *at++ = static_cast<char>('0' + column);
        } else {
            std::size_t digits = 1;
            for (unsigned long long rest = column; rest >= 10; rest /= 10) ++digits;
            at += digits;
            char* digit = at;
            do {
                *--digit = static_cast<char>('0' + column % 10);
                column /= 10;
            } while (column != 0);
        }
    }
    at = said.copyto(at);
    if (!then.empty()) std::memcpy(at, then.data(), then.size()), at += then.size();
    out_.commit(at);
}

// The message and its ending. Those that say no more than the check, the
// field and its text are made once for those words.
std::string_view diagnostics::linemessage(const struct finding& what) {
    bool common = infoof(what.check).bytext && what.text.size() <= 13;
    std::uint64_t key[2] = {0, 0};
    char* bytes = reinterpret_cast<char*>(key);
    if (common) {
        bytes[0] = static_cast<char>(1 + static_cast<int>(what.check));
        bytes[1] = static_cast<char>(what.field);
        bytes[2] = static_cast<char>(what.text.size());
        std::memcpy(bytes + 3, what.text.data(), what.text.size());
        made& slot = recent_[(key[0] * 0x9E3779B97F4A7C15ULL ^ key[1]) % keptmessages];
        if (slot.key[0] != key[0] || slot.key[1] != key[1]) {
            textcollector message;
            infoof(what.check).message(message, what, true);
            slot.key[0] = key[0];
            slot.key[1] = key[1];
            slot.message = message.text + endings_[static_cast<int>(what.check)];
        }
        return slot.message;
    }
    last& previous = last_[static_cast<int>(what.check)];
    if (previous.made && previous.field == what.field && previous.setat == what.setat && sametext(previous.text, what.text) &&
        sametext(previous.other, what.other) && sametext(previous.blocktitle, what.blocktitle)) {
        return previous.message.text;
    }
    previous.made = true;
    previous.field = what.field;
    previous.setat = what.setat;
    previous.text = what.text;
    previous.other = what.other;
    previous.blocktitle = what.blocktitle;
    previous.message.text.clear();
    infoof(what.check).message(previous.message, what, true);
    previous.message.text += endings_[static_cast<int>(what.check)];
    return previous.message.text;
}

void diagnostics::write(const struct finding& what, const place& where) {
    start(where, infoof(what.check).level, linemessage(what));
    if (where.noted) {
        notedline note = notedlineof(what);
        std::string number = std::to_string(note.line);
        start({number, 1, note.line}, severity::note);
        out_.put(note.message);
        out_.put(endings_[static_cast<int>(what.check)]);
    }
    if (what.check != checkid::unlistedshortname || what.titlegames == 0 || titles_ == nullptr) return;
    // The listed games whose title is the block's title, first three in
    // the order of the list: a renamed game, most likely.
    start(where, severity::note);
    out_.put("the emulator lists ");
    quoted(out_, list_->games[titles_->game(what.firsttitlegame)].title);
    out_.put(" as ");
    int shown = what.titlegames < 3 ? what.titlegames : 3;
    for (int i = 0; i < shown; ++i) {
        if (i > 0) out_.put(i + 1 == shown ? " and " : ", ");
        quoted(out_, list_->games[titles_->game(what.firsttitlegame + i)].shortname);
    }
    out_.put(endings_[static_cast<int>(what.check)]);
}

void diagnostics::nocheatentries(long long games) {
    start({}, severity::note);
    out_.putnumber(games);
    out_.put(games == 1 ? " listed game has" : " listed games have");
    out_.put(" no cheat entries");
    if (!results_.empty()) {
        out_.put("; ");
        out_.put(results_);
        out_.put(" lists them");
    }
    out_.put(endings_[static_cast<int>(checkid::nocheatentries)]);
}

std::unique_ptr<emitter> makeconcise(reportwriter& out) { return std::make_unique<diagnostics>(out); }
