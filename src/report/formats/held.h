#pragma once

#include <string>
#include <vector>

#include "facts.h"

// A file's findings as written, with a hole where each fix goes until it
// is known: a fix depends on the whole first pass (a title), on the
// fixes of its line (told after its findings) and on what a suppression
// or the baseline hides anywhere in the file. Where nothing can hide a
// finding (emitfile::settled), a hole is filled once the passes are past
// its line and the text goes on; else the text from the first hole on
// waits for the file's end. Memory: the findings of a line, or of the
// file where something may hide one.
class heldtext {
public:
    // Writes a fix, or what stands for none, into a hole.
    using writefix = void (*)(std::string& into, const findingfix* fix);

    heldtext(reportwriter& out, writefix fill) : out_(out), fill_(fill) {}

    std::string text;  // written to by the format

    void startfile(const emitfile& file) {
        fixes_ = file.fixes;
        settled_ = file.settled && fixes_ != nullptr;
        lookup_ = fixlookup();
    }

    // A fix goes here.
    void hole(fixkey key) { holes_.push_back({text.size(), std::move(key)}); }

    // After a finding on physical line `physical`: the holes the passes
    // are done with are filled, and the text before the first still open
    // goes on when there is enough of it.
    void maypass(long long physical) {
        if (settled_ && !holes_.empty()) {
            lookup_.update(*fixes_);
            std::size_t filled = 0, from = 0;
            for (; filled < holes_.size(); ++filled) {
                const held& at = holes_[filled];
                // An upper-casing is told after its line's findings.
                if (at.key.check == checkid::fieldformat && at.key.physical >= physical) break;
                putupto(from, at, lookup_);
                from = at.offset;
            }
            if (filled > 0) {
                text.erase(0, from);
                holes_.erase(holes_.begin(), holes_.begin() + static_cast<std::ptrdiff_t>(filled));
                for (held& at : holes_) at.offset -= from;
            }
        }
        if (holes_.empty() && text.size() >= (1 << 16)) {
            out_.put(text);
            text.clear();
        }
    }

    // At the file's end, its fixes known: all of it.
    void release(const patch* fixes) {
        fixlookup all(fixes);
        fixlookup& lookup = settled_ ? lookup_ : all;
        if (settled_) lookup_.update(*fixes_);
        std::size_t from = 0;
        for (const held& at : holes_) {
            putupto(from, at, lookup);
            from = at.offset;
        }
        out_.put(std::string_view(text).substr(from));
        text.clear();
        holes_.clear();
    }

private:
    struct held {
        std::size_t offset;
        fixkey key;
    };

    // The text from `from` to the hole, and its fix.
    void putupto(std::size_t from, const held& at, fixlookup& lookup) {
        out_.put(std::string_view(text).substr(from, at.offset - from));
        made_.clear();
        fill_(made_, lookup.find(at.key, found_) ? &found_ : nullptr);
        out_.put(made_);
    }

    reportwriter& out_;
    writefix fill_;
    const patch* fixes_ = nullptr;
    bool settled_ = false;
    fixlookup lookup_;
    std::vector<held> holes_;
    std::string made_;
    findingfix found_;
};
