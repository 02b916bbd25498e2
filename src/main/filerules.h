#pragma once

#include <string>

// Which names are one file. A run only ever reads its inputs and writes
// each output to a file of its own; these tell when two names would break
// that, before anything is written.

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

// Whether `name` is a regular file itself (not a link), or nothing yet.
bool isplainfileornew(const std::string& name);

// Whether `name` is a regular file, or nothing yet.
bool isregularornew(const std::string& name);
