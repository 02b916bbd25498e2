#pragma once

#include <cstddef>
#include <string_view>

#include "cheatfile/fieldtable.h"
#include "cheatfile/linekind.h"
#include "checks/checktable.h"
#include "text/line.h"

// A finding as a pass tells it, once: the report writer files it in its
// section, and what the user asked to see (diagnostics, statistics, the
// baseline, --strict) takes it from there.
struct finding {
    explicit finding(checkid what) : check(what) {}

    checkid check;
    // The line as read (a piece of a long line) and the byte of its text the
    // finding points at; no line for a finding about a listed game alone.
    const line* at = nullptr;
    long long piece = 0;      // the line's number, also when the line is gone
    std::string_view number;  // the same as text, as the reports print it
    std::size_t offset = 0;
    fieldid field = fieldid::none;
    std::string_view text;   // what it is about: a shortname, a field, a block title
    std::string_view other;  // the block's shortname, the emulator's title, the type of a line
    std::string_view blocktitle;  // title-mismatch: the title the block carries, where it is known
    int game = -1;           // the listed game it is about
    unsigned failed = 0;     // the field check: every rule the line fails, in failure:: bits
    long long setat = 0;     // shortname-mismatch: the physical line that set the block's shortname (0: none)
    int titlegames = 0;      // unlisted-shortname: listed games carrying the block's title,
    int firsttitlegame = 0;  // from this place in the title index
    long long block = 0;     // unlisted-shortname: the line that opened its block (0: none)
    long long noteat = 0;    // the physical line it refers to, where a note may stand (0: none)
};

// A change to one line of the cheat file that removes a finding for
// certain and adds none: what --diff prints.
// A finding about `text`, a part of the current line's text.
inline finding findingon(checkid check, const line& current, std::string_view number, std::string_view text) {
    finding f{check};
    f.at = &current;
    f.piece = current.number;
    f.number = number;
    f.text = text;
    f.offset = static_cast<std::size_t>(text.data() - current.text.data());
    return f;
}

struct fix {
    checkid check;          // the check whose findings it removes
    long long physical;     // the line, as an editor counts
    std::size_t offset;     // the bytes it changes, from the line's start
    std::size_t length;
    std::string_view text;  // what they become (a title, a shortname), or
    bool uppercase;         // else the same bytes in upper case
    int game;               // a block title: made only if this game's title never matched
    long long block = 0;    // a rename: the line that opened its block, whose lines are renamed all or none
};

class findingsink {
public:
    virtual void found(const finding& what) = 0;
    // A fix, for the findings of its check. Most sinks take none.
    virtual void fixable(const fix&) {}
    // The third pass reads this line, before it tells of its findings: for
    // a sink that puts the findings of all passes in the order of the file.
    virtual void reading(const line&, linekind) {}

protected:
    ~findingsink() = default;
};
