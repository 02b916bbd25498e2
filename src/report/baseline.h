#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "entrywriter.h"
#include "finding.h"
#include "text/textstore.h"

// A baseline: the findings of a run, recorded so that a later run shows
// only what is new. Plain text, one finding a line, in the order of the
// cheat file:  CHECK <tab> MESSAGE <tab> LINE
// LINE is the text of the finding's physical line without its line end
// (a line longer than 4096 bytes is kept as its first 4096 and a hash of
// the whole). Bytes outside printable ASCII, and the backslash, are
// written \xNN. Lines starting with '#' are comments. A finding is matched
// by all three, never by its line number, each entry matching once.

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

class baseline {
public:
    baseline() : slots_(std::make_unique<slot[]>(16)), size_(16) {}  // records nothing until read

    // Takes the entries of a baseline file; the number of the first line
    // that is no entry, or 0 when all are.
    long long read(std::FILE* file);

    // True, and the entry used up, when `entry` is recorded and not yet
    // matched.
    bool hides(std::string_view entry);

    long long hidden() const { return hidden_; }
    // Recorded findings that no finding of this run matched.
    long long gone() const;

private:
    struct slot {
        std::string_view entry;  // empty: a free slot
        long long recorded;
        long long matched;
    };
    slot* find(std::string_view entry);

    textstore text_;
    std::unique_ptr<slot[]> slots_;
    std::size_t size_;  // a power of two
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
