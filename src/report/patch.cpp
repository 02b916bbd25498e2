#include "patch.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "text/textcopy.h"

namespace {

constexpr long long context = 3;

// The lines of a file read from its start, each handed out whole when
// asked for (a changed line is short) or passed on in parts (a context
// line may be of any length).
class rawlines {
public:
    explicit rawlines(std::FILE* file) : file_(file) {}

    // Hands the next line to `part`, in one or more pieces; false at the
    // end of the file. `ended` tells whether it had a line feed.
    template <class take>
    bool next(take&& part, bool& ended) {
        if (at_ == end_ && !fill()) return false;
        for (;;) {
            const char* start = buffer_ + at_;
            const void* found = std::memchr(start, '\n', end_ - at_);
            std::size_t stop = found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_) + 1 : end_;
            part(std::string_view(start, stop - at_));
            at_ = stop;
            if (found != nullptr) {
                ended = true;
                return true;
            }
            if (!fill()) {
                ended = false;
                return true;
            }
        }
    }

    // Skips lines up to line `number`.
    bool skipto(long long number) {
        bool ended = true;
        while (line_ + 1 < number) {
            if (!next([](std::string_view) {}, ended)) return false;
            ++line_;
        }
        return true;
    }
    void counted() { ++line_; }

private:
    bool fill() {
        at_ = 0;
        end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        return end_ > 0;
    }

    std::FILE* file_;
    char buffer_[1 << 16];
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    long long line_ = 0;  // lines handed out
};

struct hunk {
    long long first;
    long long last;
};

}  // namespace

void patch::add(const fix& change) { fixes_.add(change); }

// A block title is fixed only when its game's title never matched.
bool patch::made(const fix& change) const {
    if (change.game < 0) return true;
    const gameentry& game = list_.games[change.game];
    return game.hascheats && !game.titlematches;
}

bool patch::write(std::FILE* cheatfile, std::string_view path, reportwriter& out) {
    // The fixes of both passes, in the order of the file.
    std::vector<const fix*> changes;
    changes.reserve(fixes_.size());
    for (std::size_t i = 0; i < fixes_.size(); ++i) {
        if (made(fixes_[i])) changes.push_back(&fixes_[i]);
    }
    std::stable_sort(changes.begin(), changes.end(), [](const fix* a, const fix* b) { return a->physical < b->physical; });
    if (changes.empty()) return true;

    // Lines count as the passes count them: from the file's start, each
    // ended by a line feed.
    if (std::fseek(cheatfile, 0, SEEK_SET) != 0) return false;
    std::clearerr(cheatfile);
    std::vector<hunk> hunks;
    for (const fix* change : changes) {
        long long first = std::max(1LL, change->physical - context);
        if (!hunks.empty() && first <= hunks.back().last + 1) {
            hunks.back().last = change->physical + context;
        } else {
            hunks.push_back({first, change->physical + context});
        }
    }
    // The last hunk's end: the file may have fewer lines.
    rawlines counting(cheatfile);
    long long lines = 0;
    bool ended = true;
    while (counting.next([](std::string_view) {}, ended)) ++lines;
    hunks.back().last = std::min(hunks.back().last, lines);
    if (std::ferror(cheatfile) || std::fseek(cheatfile, 0, SEEK_SET) != 0) return false;

    // A name with a blank ends at a tab, as git and GNU patch read it.
    std::string_view end = path.find(' ') != std::string_view::npos ? "\t\n" : "\n";
    out.put("--- a/");
    out.put(path);
    out.put(end);
    out.put("+++ b/");
    out.put(path);
    out.put(end);
    rawlines file(cheatfile);
    std::size_t next = 0;
    for (const hunk& h : hunks) {
        long long count = h.last - h.first + 1;
        out.put("@@ -");
        out.putnumber(h.first);
        out.put(",");
        out.putnumber(count);
        out.put(" +");
        out.putnumber(h.first);
        out.put(",");
        out.putnumber(count);
        out.put(" @@\n");
        if (!file.skipto(h.first)) return false;
        // A run of changed lines, as diff writes one: its old lines, then
        // its new ones, which wait here (in parts of 64 KB at the most).
        std::string added;
        auto flushadded = [&] {
            out.put(added);
            added.clear();
        };
        for (long long number = h.first; number <= h.last; ++number) {
            bool changed = next < changes.size() && changes[next]->physical == number;
            std::string original;  // a changed line, which is short
            if (!changed) {
                flushadded();
                out.put(' ');
            }
            bool read = file.next(
                [&](std::string_view part) {
                    if (changed) {
                        original.append(part);
                    } else {
                        out.put(part);  // a context line, of any length
                    }
                },
                ended);
            if (!read) return false;
            file.counted();
            const char* noend = ended ? "" : "\n\\ No newline at end of file\n";
            if (!changed) {
                out.put(noend);
                continue;
            }
            // The line's changes from its end back, so that a shortname of
            // another length moves nothing still to change.
            std::vector<const fix*> onthisline;
            for (; next < changes.size() && changes[next]->physical == number; ++next) onthisline.push_back(changes[next]);
            std::sort(onthisline.begin(), onthisline.end(), [](const fix* a, const fix* b) { return a->offset > b->offset; });
            std::string fixed = original;
            for (const fix* change : onthisline) {
                if (change->offset + change->length > fixed.size()) continue;
                if (change->uppercase) {
                    uppercasehex(&fixed[change->offset], change->length);
                } else {
                    fixed.replace(change->offset, change->length, change->text);
                }
            }
            out.put('-');
            out.put(original);
            out.put(noend);
            added.append("+").append(fixed).append(noend);
            if (added.size() > (1 << 16)) flushadded();
        }
        flushadded();
    }
    return !std::ferror(cheatfile);
}

std::vector<const fix*> patch::madefixes(const shownfindings& shown) const {
    std::vector<const fix*> changes;
    for (std::size_t i = 0; i < fixes_.size(); ++i) {
        if (made(fixes_[i]) && !shown.hides(fixes_[i])) changes.push_back(&fixes_[i]);
    }
    return changes;
}
