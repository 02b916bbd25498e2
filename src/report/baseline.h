#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "entrywriter.h"
#include "checks/finding.h"
#include "text/textstore.h"

// A baseline: the findings of a run, recorded so that a later run shows
// only what is new. Plain text, one finding a line, in the order of the
// cheat file:  CHECK <tab> MESSAGE <tab> LINE
// LINE is the text of the finding's physical line without its line end
// (a line longer than 4096 bytes is kept as its first 4096 and a hash of
// the whole). Bytes outside printable ASCII, and the backslash, are
// written \xNN. Lines starting with '#' are comments. A finding is matched
// by its key (baselinekey), never by its line number, each entry matching
// once: of several findings with one key, the first in the order of the
// file are hidden, as many as are recorded, and the rest shown.

// What a baseline keeps of a physical line, made from its bytes as they
// come: the line itself, or its first 4096 bytes and a hash of all.
class baselineline {
public:
    void clear();
    void add(std::string_view bytes);
    const std::string& text();

private:
    std::string kept_;
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
    std::size_t size_ = 0;
    bool done_ = false;
};

// The entry of a finding on a line of that text (baselineline's).
std::string baselineentry(const finding& what, std::string_view linetext);

// What an entry is matched by: its check, its message and its line, less
// what the tool's own fixes change, so that a baseline outlives them. The
// line leaves out its shortname (which a rename changes) but for an
// unlisted shortname, whose finding a rename ends; the message of a
// shortname mismatch is left out (it names shortnames); hexadecimal
// letters count the same in either case (a fix upper-cases them).
std::string baselinekey(std::string_view entry);

class baseline {
public:
    // Takes the entries of a baseline file (a UTF-8 byte-order mark, CR LF
    // line ends and a last line without one are fine); the number of the
    // first line that is no entry, or 0 when all are.
    long long read(std::FILE* file);

    // True, and the entry used up, when an entry of that key is recorded
    // and not yet matched.
    bool hides(std::string_view key);

    long long hidden() const { return hidden_; }
    // How far the matching has gone, to go back to when a file is checked
    // once more.
    struct progress {
        std::vector<long long> matched;
        long long hidden;
    };
    progress saved() const;
    void restore(const progress& saved);
    // Recorded findings of the checks shown that no finding of this run
    // matched.
    long long gone(const bool* selected) const;

private:
    // Each recorded entry once, sorted, with how often it was recorded and
    // matched: a search costs the same whatever the entries hold.
    struct recorded {
        std::string_view entry;
        long long times;
        long long matched;
    };

    textstore text_;
    std::unique_ptr<recorded[]> entries_;
    std::size_t count_ = 0;
    long long hidden_ = 0;
};

// Writes a baseline file.
class baselinewriter {
public:
    explicit baselinewriter(std::FILE* file);
    void add(const std::string& entry);
    // False when anything written may be missing.
    bool close();

private:
    std::FILE* file_;
    reportwriter out_;
};
