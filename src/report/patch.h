#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "entrywriter.h"
#include "checks/finding.h"
#include "gamelist/gamelist.h"
#include "shown.h"
#include "text/textstore.h"

// Gathers the fixes of a run and writes them as a unified diff that turns
// the cheat file into one without their findings: `--- a/FILE` and `+++
// b/FILE`, hunks with three lines of context, every other byte of every
// line as it is (CR LF and all), no line added or removed, so that
// `patch -p1` and `git apply` take it in the folder the run was made in.
// Or writes the fixed file itself, byte for byte what the diff makes.
class patch {
public:
    explicit patch(const gamelist& list) : list_(list) {}

    // Fixes come in the order of the file from each pass, pass by pass; on
    // one line an earlier pass's go first.
    void add(const fix& change);

    // What follows is asked once the run is over: a block title is fixed
    // only when its game's title never matched, which the first pass knows
    // at its end.

    // Reads the cheat file again, from its start, and writes the diff of
    // `path`; nothing when there is nothing to fix. False when the file
    // could not be read.
    bool write(std::FILE* cheatfile, std::string_view path, reportwriter& out);

    // Reads the cheat file again, from its start, and writes all of it with
    // the fixes made: every byte outside the fixed spans as it is. False
    // when the file could not be read, or holds fewer lines than its fixes.
    bool writefixed(std::FILE* cheatfile, reportwriter& out);

    // The fixes both make.
    long long changecount() const;

    // Whether the fixes made remove a finding of `check`: for
    // unlisted-shortname and field-format the one at byte `offset` of the
    // physical line `physical`, for title-mismatch the one about listed
    // game `game`.
    bool fixes(checkid check, long long physical, std::size_t offset, int game = -1) const;

    // Makes only the fixes of findings `shown` shows (once the run is
    // over): those a suppression or a baseline hides are left.
    void keepshown(const shownfindings& shown) {
        shown_ = &shown;
        sorted_ = false;
    }

    // The fixes made, in the order of the file, those of one line from its
    // end back.
    const std::vector<const fix*>& made() const;

    // Every fix told so far, in the order told, and whether it is made
    // but for what is hidden: for a format that writes each finding's fix
    // while the passes go on.
    const itemstore<fix>& gathered() const { return fixes_; }
    bool makes(const fix& change) const { return ismade(change); }

private:
    bool ismade(const fix& change) const;

    const gamelist& list_;
    const shownfindings* shown_ = nullptr;
    itemstore<fix> fixes_;  // each pass's in the order of the file, pass by pass
    mutable std::vector<const fix*> made_;
    mutable std::vector<int> titled_;  // the games whose title is fixed, in order
    mutable bool sorted_ = false;
};
