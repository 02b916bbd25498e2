#pragma once

#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "cheatfile/linekind.h"
#include "checks/checktable.h"
#include "checks/finding.h"
#include "checks/gamewalk.h"
#include "text/line.h"

// What one emulator's loader really reads: how it classifies lines, how it
// reads fields, which checks apply and which are on by default. The passes
// ask the dialect of the run; each dialect's rules live in its own file
// under dialects/, and nothing else knows which one is on. The classic
// dialect is the MAME of 2004 that the checks have always followed; the
// passes take their own plain way for it, so that it costs nothing.

// The third pass's rules of a dialect, line by line, with what they must
// remember from one line to the next.
class linecheck {
public:
    virtual ~linecheck() = default;
    // Every line the pass reads, in the order of the file; `number` is its
    // number as the reports print it.
    virtual void check(const line& current, linekind kind, std::string_view number) = 0;
};

class dialect {
public:
    virtual ~dialect() = default;

    // As --dialect and vettle.toml name it.
    virtual std::string_view name() const = 0;
    // Whether the check is on where a run chooses no checks itself.
    virtual bool usual(checkid check) const { return infoof(check).usual; }
    // Whether lines are read as the classic checks read them.
    virtual bool plain() const { return false; }

    // What a line is. A later piece of a long line is never a line of its
    // own to a dialect, whatever it holds.
    virtual linekind classify(const line& current) const = 0;
    // The shortname of a line classified as an old-layout cheat line; a
    // new-layout line's is read alike in every dialect.
    virtual std::string_view oldlayoutshortname(std::string_view text) const;
    // The listed game a shortname names, or -1.
    virtual int findlisted(gamewalk& walk, std::string_view shortname, std::size_t readable) const {
        return findgame(walk, shortname, readable);
    }
    // How much of a shortname the list's names leave out (a leader they
    // drop): a rename keeps it.
    virtual std::size_t unlistedleader(const gamelist&, std::string_view) const { return 0; }
    // The third pass's rules, for one reading of `cheatfile`: they may go
    // back in it (leaving it where it stood) for lines read before.
    virtual std::unique_ptr<linecheck> thirdpass(std::FILE* cheatfile, findingsink& out, bool fixes) const = 0;
};

const dialect& classicdialect();
const dialect& fbneodialect();
const dialect& mame2003plusdialect();

// The dialect of that name, or null.
const dialect* finddialect(std::string_view name);
// Every dialect's name, classic first.
std::vector<std::string_view> dialectnames();
