#pragma once

#include <cstdio>
#include <string_view>

#include "cheatfile/heldshortname.h"
#include "checks/cheatline.h"
#include "checks/dialect.h"
#include "checks/finding.h"
#include "text/line.h"

// Third pass: holds every cheat line to its block's shortname and checks
// the type, address, data and extended fields for size, characters and
// suspicious values, telling of each failed rule on its own. Reads up to
// the end marker or the end of the file; each line read is told to the
// sink first. With `fixes`, tells of the fields it can fix for certain.
// A dialect other than the classic one reads every line to the end of the
// file with its own rules, and may go back in `cheatfile` for lines read
// before.
void runfieldcheck(linereader& reader, findingsink& out, bool fixes = false,
                   const dialect& rules = classicdialect(), std::FILE* cheatfile = nullptr);

// The pieces of the field check a dialect's rules use too.

// The first cheat line after a title line sets the shortname that the rest
// of the block must repeat.
struct blockstate {
    bool newblock = false;
    heldshortname reference;
    long long setat = 0;  // the physical line that set it
};

bool shortnamepasses(std::string_view shortname, const line& current, blockstate& block);

// Tells of each rule of `failed` (failure:: bits) the line fails, in the
// order of the rules.
void tellfailures(const line& current, std::string_view number, const checkedline& checked, unsigned failed,
                  const blockstate& block, findingsink& out);
