#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Suppressions written in a cheat file, on comment lines, which emulators
// skip:
//   ; vettle: ignore[CHECK, ...]       the findings of those checks on the
//                                      next line that is no ';' line (a
//                                      blank line counts)
//   ; vettle: ignore-file[CHECK, ...]  the same in the whole file
// A title line ("; [") is never one. Only `vettle check` reads them.
struct suppression {
    long long line;    // the comment's physical line
    long long column;  // where the name stands in it
    long long target;  // the physical line it hides findings on; 0: the whole file
    std::string name;  // as written: a check's, or not
    bool used = false;
};

class suppressions {
public:
    // Reads them from the file's start; the file is left where it ends.
    void read(std::FILE* cheatfile);

    bool empty() const { return entries_.empty(); }
    // Whether each knows if it hid something: the file has been checked
    // once with them.
    bool known() const { return known_; }
    void setknown() { known_ = true; }
    // True, and the suppression marked used, when one hides a finding of
    // the check `name` on physical line `line` (0: a finding of no line).
    bool hides(std::string_view name, long long line);

    // In the order of the file.
    const std::vector<suppression>& entries() const { return entries_; }

private:
    std::vector<suppression> entries_;  // in the order of the file
    // Indexes into entries_: those of one line by their target line, those
    // of the whole file by name, so that a finding costs a search.
    std::vector<std::size_t> bytarget_, byname_;
    bool known_ = false;
};

// The names a comment line suppresses, with their columns, if it is one;
// `whole` tells ignore-file from ignore.
bool readsuppression(std::string_view text, bool& whole, std::vector<std::pair<std::string, long long>>& names);
