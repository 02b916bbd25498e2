#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "host.h"
#include "report/entrywriter.h"

// Rewriting a checked file in place: the new content is written to a new
// file beside it and renamed over it, so the file is at every moment
// either all of what it was or all of what it becomes. It keeps its
// permissions (owner and mode on POSIX; attributes and access rights on
// Windows) and its name; the content is bytes, line ends and all.

// Writes the new content; false when what it is made from could not be
// read. A failed write is seen on the writer, not told.
using writefn = std::function<bool(reportwriter& into)>;

// A new file beside `name`, to take its place once whole: NAME.new, or
// NAME.new1 and on when that is taken (up to 99). Null when none could be
// made; `made` is its name.
std::FILE* createbeside(const std::string& name, std::string& made);

// Whether the file `name` may be rewritten: seen now, it must be a plain
// file reached through no link (the name itself, or any folder on its
// way), writable, with no other name (hard link), and still the file seen
// as `before`. False, with `why` a sentence, when it may not.
bool mayfixinplace(const std::string& name, const fileseen& before, std::string& why);

// Puts what `write` writes in the place of the file `name`, seen as
// `before` (seefile, before the file was opened to be checked: a file put
// in its place after that is then never overwritten). Refused, nothing
// written, as mayfixinplace refuses, and again just before the rename if
// the file changed meanwhile. `name` must not be open when `write` returns:
// Windows does not replace a file held open. Returns exitcode::completed
// when the file holds the new content; else the file is as it was, no new
// file is left beside it, `why` says why in a sentence, and the code is
// exitcode::cannotopen (refused, or no file could be made beside it),
// exitcode::readfailed (`write` returned false) or exitcode::writefailed
// (the new content could not be written or put in place).
int fixinplace(const std::string& name, const fileseen& before, const writefn& write, std::string& why);
