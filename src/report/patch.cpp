#include "patch.h"

#include <algorithm>
#include <cstring>
#include <utility>
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

    // Hands everything not yet handed out to `part`, as it comes.
    template <class take>
    void rest(take&& part) {
        do {
            if (at_ < end_) part(std::string_view(buffer_ + at_, end_ - at_));
            at_ = end_;
        } while (fill());
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

using changeat = std::vector<const fix*>::const_iterator;

// Past the changes of the line `from` is on.
changeat pastline(changeat from, changeat end) {
    long long physical = (*from)->physical;
    while (from != end && (*from)->physical == physical) ++from;
    return from;
}

// A line (a short one, its line end included) with its changes made, from
// its end back, so that a shortname of another length moves nothing still
// to change. A change past the line's end (the file changed) is not made.
std::string fixedline(std::string_view original, changeat from, changeat to) {
    std::string fixed(original);
    for (; from != to; ++from) {
        const fix& change = **from;
        if (change.offset + change.length > fixed.size()) continue;
        if (change.uppercase) {
            uppercasehex(&fixed[change.offset], change.length);
        } else {
            fixed.replace(change.offset, change.length, change.text);
        }
    }
    return fixed;
}

}  // namespace

void patch::add(const fix& change) {
    fixes_.add(change);
    sorted_ = false;
}

// A fix of a finding a suppression or a baseline hides is not made; a
// block title is fixed only when its game's title never matched.
bool patch::ismade(const fix& change) const {
    if (shown_ != nullptr && shown_->hides(change)) return false;
    if (change.game < 0) return true;
    const gameentry& game = list_.games[change.game];
    return game.hascheats && !game.titlematches;
}

const std::vector<const fix*>& patch::made() const {
    if (sorted_) return made_;
    made_.clear();
    titled_.clear();
    for (std::size_t i = 0; i < fixes_.size(); ++i) {
        if (!ismade(fixes_[i])) continue;
        made_.push_back(&fixes_[i]);
        if (fixes_[i].game >= 0) titled_.push_back(fixes_[i].game);
    }
    std::stable_sort(made_.begin(), made_.end(), [](const fix* a, const fix* b) {
        return a->physical != b->physical ? a->physical < b->physical : a->offset > b->offset;
    });
    std::sort(titled_.begin(), titled_.end());
    sorted_ = true;
    return made_;
}

long long patch::changecount() const { return static_cast<long long>(made().size()); }

bool patch::fixes(checkid check, long long physical, std::size_t offset, int game) const {
    const std::vector<const fix*>& changes = made();
    if (check == checkid::titlemismatch) return std::binary_search(titled_.begin(), titled_.end(), game);
    auto at = std::lower_bound(changes.begin(), changes.end(), std::make_pair(physical, offset),
                               [](const fix* change, const std::pair<long long, std::size_t>& place) {
                                   return change->physical != place.first ? change->physical < place.first
                                                                          : change->offset > place.second;
                               });
    for (; at != changes.end() && (*at)->physical == physical && (*at)->offset == offset; ++at) {
        if ((*at)->check == check) return true;
    }
    return false;
}

bool patch::write(std::FILE* cheatfile, std::string_view path, reportwriter& out) {
    const std::vector<const fix*>& changes = made();
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
    changeat next = changes.begin();
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
            bool changed = next != changes.end() && (*next)->physical == number;
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
            changeat last = pastline(next, changes.end());
            std::string fixed = fixedline(original, next, last);
            next = last;
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

bool patch::writefixed(std::FILE* cheatfile, reportwriter& out) {
    const std::vector<const fix*>& changes = made();
    if (std::fseek(cheatfile, 0, SEEK_SET) != 0) return false;
    std::clearerr(cheatfile);
    rawlines file(cheatfile);
    changeat next = changes.begin();
    bool ended = true;
    for (long long number = 1; next != changes.end(); ++number) {
        bool changed = (*next)->physical == number;
        std::string original;  // a changed line, which is short
        bool read = file.next(
            [&](std::string_view part) {
                if (changed) {
                    original.append(part);
                } else {
                    out.put(part);
                }
            },
            ended);
        if (!read) return false;
        if (!changed) continue;
        changeat last = pastline(next, changes.end());
        out.put(fixedline(original, next, last));
        next = last;
    }
    file.rest([&](std::string_view part) { out.put(part); });
    return !std::ferror(cheatfile);
}
