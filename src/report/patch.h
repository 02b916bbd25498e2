#pragma once

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
class patch {
public:
    explicit patch(const gamelist& list) : list_(list) {}

    // Fixes come in the order of the file from each pass, pass by pass; on
    // one line an earlier pass's go first.
    void add(const fix& change);

    // Reads the cheat file again, from its start, and writes the diff of
    // `path`; nothing when there is nothing to fix. False when the file
    // could not be read.
    bool write(std::FILE* cheatfile, std::string_view path, reportwriter& out);

    // The fixes that will be made: those of findings that are shown, and a
    // block's title only where its game's title never matched.
    std::vector<const fix*> madefixes(const shownfindings& shown) const;

private:
    bool made(const fix& change) const;

    const gamelist& list_;
    itemstore<fix> fixes_;  // each pass's in the order of the file, pass by pass
};
