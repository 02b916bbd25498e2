#pragma once

#include <string>
#include <vector>

#include "console.h"
#include "runnames.h"

// Which names are one file, which may be written, and the name the patch
// gives the cheat file. A run only ever reads its inputs and writes each
// output to a file of its own; these tell when two names would break that,
// before anything is written.

// Whether `a` and `b` are one file: the same file now (hard links too), or
// the same place once links are followed, whether or not a file is there
// yet. `b` may be taken as it stands, its own link not followed, for the
// temporary file: a link of that name is removed, never written through.
bool samefile(const std::string& a, const std::string& b, bool followb = true);

// Whether `name` is a pipe (a FIFO), which a report must not be.
bool ispipe(const std::string& name);

// `name` relative to the current folder, with forward slashes, when it is
// in it or below it; empty otherwise.
std::string pathbelow(const std::string& name);

// Whether `name`, which is `below` relative to the current folder, passes
// through a link on its way (the file itself included), which patch tools
// refuse to follow, or reaches another file than `below` names there.
bool throughlink(const std::string& name, const std::string& below);

// Whether `name` is a folder.
bool isfolder(const std::string& name);

// Whether anything has that name, a link (even to nothing) included.
bool anythingnamed(const std::string& name);

// Whether `name` is a regular file, or nothing yet.
bool isregularornew(const std::string& name);

// Refuses, before anything is written and with the console's words, any
// two names that are one file where that would write an input or write
// two outputs into one file, and a report that is a pipe (a run would
// wait for a reader). True when refused.
bool refused(const runnames& names, const console& say);

// Refuses standard output that is an input or an output of the run (a
// device such as /dev/null aside). Asked before the banner, and said on
// standard error alone: standard output is that file, and nothing is
// written into it. True when refused.
bool stdoutrefused(const runnames& names);

// vettle check's refusals, before anything is written, said on standard
// error: a cheat file --fix writes that is a game list or the baseline, the
// baseline written that is an input (but the baseline read, which is read
// whole first) or a pipe, standard output that is the baseline written or
// an input. `onstdout` says what standard output carries. True when
// refused.
bool checkrefused(const std::vector<std::string>& cheatfiles, const std::vector<std::string>& lists,
                  const std::string& baseline, const std::string& writebaseline, bool fixing, const char* onstdout);

// Where an output of that name is written in full and renamed into place:
// the name itself, or, for a link, the file it leads to (so the link stays);
// empty for what is no file (a device), which is written as it is.
std::string outputtarget(const std::string& name);

// Whether `name` can stand for standard input in a patch: below the current
// folder as written, and a name a patch can hold; said as a usage error
// when not.
bool patchname(const std::string& name);

// The name of the cheat file in the patch: below the current folder,
// reached without a link, and one patch tools read as it stands. False,
// said as a usage error, when it cannot be.
bool patchpath(const std::string& cheatfile, std::string& patched);
