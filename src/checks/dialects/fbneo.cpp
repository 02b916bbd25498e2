// FinalBurn Neo's loader. It reads a game's lines as one unbroken run:
// ';' lines are skipped, and from the game's first ":name:" line on, the
// first line that is neither ends the reading for good (a ":name:" line
// holding "----:REASON" ends it at once, on purpose). It reads 1,023 bytes
// at a time, notes each colon, CR and LF of a line in a table of 16 with no
// bound, copies each field into 256 bytes and a description into 128, and
// adds a line whose type has 0x8000 or 0x10000 set to the cheat before it,
// skipping lines with 0x4800 set. Its NES, FDS and SNES games carry a
// leader its published game lists drop, and their address field holds a
// cheat device's code.

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cheatfile/cheatfields.h"
#include "cheatfile/linekind.h"
#include "cheatfile/titleline.h"
#include "checks/dialect.h"
#include "checks/fieldcheck.h"
#include "checks/fieldfailure.h"
#include "later.h"
#include "text/eightbytes.h"
#include "text/nametable.h"
#include "text/shorttext.h"
#include "text/textstore.h"

namespace {

using later::startswith;

constexpr std::size_t readsize = 1023;  // a read of 1,024 bytes, its NUL included
constexpr int mostseparators = 16;
constexpr int fewestseparators = 7;
constexpr std::size_t fieldroom = 255;
constexpr std::size_t descriptionroom = 127;
constexpr std::uint32_t linkbits = 0x8000 | 0x10000;
constexpr std::uint32_t skippedbits = 0x4800;

constexpr std::string_view leaders[] = {"nes_", "fds_", "snes_"};

std::string_view leaderof(std::string_view shortname) {
    if (shortname.empty() || (shortname[0] != 'n' && shortname[0] != 'f' && shortname[0] != 's')) return {};
    for (std::string_view leader : leaders) {
        if (startswith(shortname, leader)) return leader;
    }
    return {};
}

// Whether some listed shortname begins with a leader: a list of
// FinalBurn Neo's own names, which are looked up as they stand.
bool holdsleaders(const gamelist& list) {
    for (std::string_view leader : leaders) {
        const gameentry* begin = list.games;
        const gameentry* end = begin + list.count;
        const gameentry* at = std::lower_bound(begin, end, leader, [](const gameentry& game, std::string_view name) {
            return compare(game.shortname, name) < 0;
        });
        if (at != end && startswith(at->shortname, leader)) return true;
    }
    return false;
}

bool isnescode(std::string_view code) {
    if (code.size() != 6 && code.size() != 8) return false;
    constexpr std::string_view letters = "APZLGITYEOXUKSVN";
    bool upper = true, lower = true;
    for (char c : code) {
        upper = upper && letters.find(c) != std::string_view::npos;
        lower = lower && c >= 'a' && c <= 'z' && letters.find(static_cast<char>(c - 'a' + 'A')) != std::string_view::npos;
    }
    return upper || lower;
}

// A Game Genie code XXXX-XXXX, or a Pro Action Replay code of 8 digits.
bool issnescode(std::string_view code) {
    bool genie = code.size() == 9 && code[4] == '-';
    if (code.size() != 8 && !genie) return false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        if (!(genie && i == 4) && !isanycasehexdigit(code[i])) return false;
    }
    return true;
}

// How the loader's table of separators sees one read of a line: how many
// there are, the longest field it copies (type to description) and the
// description's length.
struct readshape {
    int separators = 0;
    std::size_t longestfield = 0;
    std::size_t description = 0;
};

bool isseparator(char c) { return c == ':' || c == '\r' || c == '\n'; }

// `bytes`: the read as the file holds it, CR and LF included.
readshape shapeof(std::string_view bytes) {
    readshape shape;
    std::size_t last = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!isseparator(bytes[i])) continue;
        int k = shape.separators++;
        if (k >= 2 && k <= 6) {
            std::size_t length = i - last - 1;
            shape.longestfield = std::max(shape.longestfield, length);
            if (k == 6) shape.description = length;
        }
        last = i;
    }
    return shape;
}

// The colons of a line, eight bytes at a time: most lines are short and
// need nothing more.
int colonsof(std::string_view text) {
    int colons = 0;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t marks = marksof(loadeight(text.data() + i), ':') >> 7;
        colons += static_cast<int>((marks * everybyte(1)) >> 56);
    }
    for (; i < text.size(); ++i) colons += text[i] == ':';
    return colons;
}

// Where the name of ":name:" ends, or npos: most names end within eight
// bytes.
std::size_t nameend(std::string_view text) {
    if (text.size() >= 9) {
        int before = unmarkedbefore(marksof(loadeight(text.data() + 1), ':'));
        if (before < 8) return static_cast<std::size_t>(before) + 1;
    }
    return text.find(':', 1);
}

// A few bytes of a line, mixed: the same line always gives the same
// number, and two lines of a game seldom do (they differ in their address
// or their description's end), at next to no cost a line.
alwaysinline std::uint64_t fingerprint(std::string_view text) {
    std::uint64_t mixed = text.size() * 0x9E3779B97F4A7C15ULL;
    if (text.size() >= 16) {
        mixed ^= loadeight(text.data() + text.size() - 8) + (loadeight(text.data() + text.size() / 2 - 4) << 1);
    } else {
        for (char c : text) mixed = (mixed ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    }
    mixed ^= mixed >> 29;
    mixed *= 0xBF58476D1CE4E5B9ULL;
    return mixed ^ (mixed >> 32);
}

// All of a line's bytes, mixed eight at a time: lines the fingerprint
// cannot tell apart, such as those that differ only in their address,
// seldom share this too.
std::uint64_t hashof(std::string_view text) {
    auto mix = [](std::uint64_t mixed, const char* bytes) {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);  // in the host's order: the same for every line
        mixed = (mixed ^ word) * 0x9E3779B97F4A7C15ULL;
        return mixed ^ (mixed >> 32);  // a change anywhere in a word reaches every bit
    };
    std::size_t size = text.size();
    std::uint64_t mixed = size * 0xBF58476D1CE4E5B9ULL;
    if (size < 8) {
        char padded[8] = {};
        std::memcpy(padded, text.data(), size);
        mixed = mix(mixed, padded);
    } else {
        std::size_t i = 0;
        for (; i + 8 < size; i += 8) mixed = mix(mixed, text.data() + i);
        mixed = mix(mixed, text.data() + size - 8);  // the last eight, some maybe again
    }
    mixed ^= mixed >> 29;
    mixed *= 0x94D049BB133111EBULL;
    return mixed ^ (mixed >> 32);
}

// A line a game's reading took, as a lost line is compared with it.
struct takenline {
    std::uint64_t print;  // its fingerprint
    std::uint64_t hash;   // the hash of all its bytes, never 0
    std::uint64_t place;  // where it stands in the file, times 2^16, plus its length
    bool operator<(const takenline& other) const {
        return print != other.print ? print < other.print : hash != other.hash ? hash < other.hash : place < other.place;
    }
};
constexpr int lengthbits = 16;  // a line read whole is at most 511 bytes
constexpr std::uint64_t lengthmask = (std::uint64_t{1} << lengthbits) - 1;
constexpr std::size_t shortrun = 32;  // lines of a run looked through without sorting them
constexpr int mostreadbacks = 8;  // lines a lost line is compared with, byte for byte

// What a game's reading has come to; what a lost line asks of it first.
struct gamerun {
    long long endedat = 0;    // the physical line that ended it
    bool reasoned = false;    // a "----:REASON" line ended it
    bool sorted = false;      // its lines kept are in order
    std::string_view why;     // what the line that ended it is
    // Two bits of the fingerprint of each line it read: most lost lines
    // miss one of them, and need not be compared at all.
    std::uint64_t seen[4] = {0, 0, 0, 0};
    // The lines it read, a run of `kept` from `firstkept` in the pass's
    // store of them.
    std::size_t firstkept = 0;
    std::size_t kept = 0;
};

void marksseen(gamerun& game, std::uint64_t print) {
    game.seen[print & 3] |= std::uint64_t{1} << (print >> 2 & 63);
    game.seen[print >> 8 & 3] |= std::uint64_t{1} << (print >> 10 & 63);
}

bool maybeseen(const gamerun& game, std::uint64_t print) {
    return (game.seen[print & 3] >> (print >> 2 & 63) & 1) != 0 &&
           (game.seen[print >> 8 & 3] >> (print >> 10 & 63) & 1) != 0;
}

// What a line that ends a game's reading is, in a finding's words.
std::string_view endingof(std::string_view text, linekind kind) {
    if (kind == linekind::header) return "a header line ': ['";
    if (text.empty() || text[0] == '\n' || text[0] == '\r') return "a blank line";
    if (startswith(text, "//") || text[0] == '#') return "a comment line";
    if (kind == linekind::cheat) return "a line that names no game";
    return "a line that is no cheat line";
}

class fbneorules final : public linecheck {
public:
    fbneorules(std::FILE* file, findingsink& out) : file_(file), out_(out) {}

    void check(const line& current, linekind kind, std::string_view number) override {
        if (current.column != 1) {
            continuation(current, number);
            return;
        }
        pending_ = false;
        intail_ = false;
        switch (kind) {
            case linekind::title: break;  // ';' lines are skipped
            case linekind::comment:
                if (current.text[0] != ';') endrun(current, endingof(current.text, kind));
                break;
            case linekind::cheat: cheatline(current, number); break;
            default: endrun(current, endingof(current.text, kind)); break;
        }
    }

private:
    void endrun(const line& current, std::string_view why) {
        if (running_ == nullptr) return;
        running_->endedat = current.physical;
        running_->why = why;
        running_ = nullptr;
    }

    void cheatline(const line& current, std::string_view number) {
        std::string_view text = current.text;
        std::size_t close = nameend(text);
        // "::name:" or a name alone names no game the loader looks for.
        if (text.size() < 2 || text[1] == ':' || close == std::string_view::npos) {
            fields(current, number, leaderof(cheatshortname(text)));
            endrun(current, endingof(text, linekind::cheat));
            return;
        }
        std::string_view name(text.data() + 1, close - 1);
        bool reason = text.find("----:REASON") != std::string_view::npos;
        if (running_ != nullptr && sametext(name, runningname_.view())) {
            read(current, number, name, reason);
            return;
        }
        endrun(current, "another game's line");
        // A game's lost lines come together: the last one looked up first.
        bool first = false;
        if (looked_ == nullptr || !sametext(name, lookedname_.view())) {
            looked_ = games_.find(name);
            first = looked_ == nullptr;
            if (first) looked_ = &games_.add(name);
            lookedname_.hold(name);
        }
        gamerun& game = *looked_;
        if (first) {
            game.firstkept = kept_.size();
            running_ = &game;
            runningname_.hold(name);
            runningleader_ = leaderof(name);
            hascheat_ = false;
            read(current, number, name, reason);
            return;
        }
        // A game it reads no cheats of, on purpose: a "----:REASON" line
        // says so even where the loader no longer looks.
        if (game.reasoned || reason) {
            game.reasoned = true;
            return;
        }
        // A line it never reads has this one finding: the rules of its
        // fields and of its reading are for the lines it reads.
        finding lost = findingon(duplicate(current, game) ? checkid::duplicatecheat : checkid::unloadedcheat, current,
                             number, name);
        lost.other = game.why;
        lost.setat = game.endedat;
        lost.noteat = game.endedat;
        out_.found(lost);
    }

    // A line of the running game: read, unless it is the game's
    // "----:REASON" line, which ends the reading on purpose.
    void read(const line& current, std::string_view number, std::string_view name, bool reason) {
        if (reason) {
            running_->reasoned = true;
            endrun(current, "its '----:REASON' line");
            return;
        }
        fields(current, number, runningleader_);
        taken(current, number, name);
    }

    // The field rules of a line the loader reads, or of one that names no
    // game: lower case is hexadecimal, the shortname no block's, a cheat
    // device's code no address. `leader`: that of the line's shortname.
    void fields(const line& current, std::string_view number, std::string_view leader) {
        checkedline checked = checkfieldsanycase(current.text);
        unsigned failed = checked.failed;
        if (!leader.empty()) {
            failed &= ~failure::address;
            std::string_view code = withoutlineend(checked.value(fieldid::address).text);
            bool snes = leader == "snes_";
            if (!(snes ? issnescode(code) : isnescode(code))) {
                finding bad = findingon(checkid::fieldformat, current, number, checked.value(fieldid::address).text);
                bad.field = snes ? fieldid::snescode : fieldid::nescode;
                out_.found(bad);
            }
        }
        if (failed != 0) tellfailures(current, number, checked, failed, block_, out_);
    }

    // The rules of a line the loader reads.
    void taken(const line& current, std::string_view number, std::string_view name) {
        std::string_view text = current.text;
        if (iswhole(current)) {
            std::string_view content = withoutlineend(text);
            takenline entry{fingerprint(content), hashof(content) | 1, current.position << lengthbits | content.size()};
            kept_.add(entry);
            ++running_->kept;
            marksseen(*running_, entry.print);
        }
        std::string_view type = text.substr(name.size() + 2);
        std::uint32_t value = later::hexprefix(type);
        if ((value & skippedbits) == 0) {
            if ((value & linkbits) != 0 && !hascheat_) {
                finding link = findingon(checkid::linkwithoutcheat, current, number, type.substr(0, type.find(':')));
                link.other = name;
                out_.found(link);
            }
            hascheat_ = hascheat_ || (value & linkbits) == 0;
        }
        // The loader's read: the text, its CR, its LF (a NUL ends it).
        bool whole = text.size() == current.size;
        std::size_t bytes = text.size() + (whole && current.crlf ? 1 : 0);
        if (endsphysical(current) && bytes < 135) {
            // Too short for a long field or description: the separators alone.
            int separators = colonsof(text) + (whole && current.endsline ? 1 : 0) + (whole && current.crlf ? 1 : 0);
            if (std::memchr(text.data(), '\r', text.size()) != nullptr) {
                separators += static_cast<int>(std::count(text.begin(), text.end(), '\r'));
            }
            if (separators > mostseparators || separators < fewestseparators) {
                tellshape(current, number, readshape{separators, 0, 0});
            }
            return;
        }
        head_.assign(text.data(), text.size());
        if (whole && current.crlf) head_.insert(head_.size() - 1, 1, '\r');
        pending_ = true;
        if (endsphysical(current) || head_.size() >= readsize) finishhead(current, number);
    }

    void finishhead(const line& current, std::string_view number) {
        pending_ = false;
        if (head_.size() > readsize) head_.resize(readsize);
        tellshape(current, number, shapeof(head_));
    }

    void tellshape(const line& current, std::string_view number, const readshape& shape) {
        finding f = findingon(checkid::unsafeline, current, number, current.text.substr(0, 0));
        if (shape.separators > mostseparators || shape.separators < fewestseparators) {
            f.other = shape.separators > mostseparators ? "more" : "fewer";
            f.setat = shape.separators;
            out_.found(f);
        } else if (shape.longestfield > fieldroom) {
            f.other = "field";
            f.setat = static_cast<long long>(shape.longestfield);
            out_.found(f);
        }
        if (shape.separators >= fewestseparators && shape.description > descriptionroom) {
            finding longer = findingon(checkid::longdescription, current, number, current.text.substr(0, 0));
            longer.setat = static_cast<long long>(shape.description);
            out_.found(longer);
        }
    }

    // A later piece of a long line: more of a read line's first 1,023
    // bytes, and, every 1,023 bytes on, the start of another read of the
    // loader, a line of its own to it. Such a read is skipped when it
    // starts with ';', is the game's when it starts with ":name:", and
    // ends the game's reading otherwise.
    void continuation(const line& current, std::string_view number) {
        std::string_view text = current.text;
        bool whole = text.size() == current.size;
        if (pending_) {
            head_.append(text.data(), text.size());
            if (whole && current.crlf) head_.insert(head_.size() - 1, 1, '\r');
            if (endsphysical(current) || head_.size() >= readsize) finishhead(current, number);
        }
        // The piece as the file holds it, a NUL and what follows it too (a
        // read starts where the last one stopped, whatever it held), and
        // its CR, if any, before the LF.
        std::size_t bytes = current.size + (current.crlf ? 1 : 0);
        auto byteat = [&](std::size_t at) {
            if (current.crlf && at + 1 == current.size) return '\r';
            if (current.crlf && at == current.size) return '\n';
            return text.data()[at];
        };
        auto before = static_cast<std::size_t>(current.column - 1);
        std::size_t at = 0;
        if (!intail_) {
            std::size_t next = (before + readsize - 1) / readsize * readsize;
            if (next >= before + bytes) return;
            at = next - before;
            intail_ = true;
            tailmatched_ = 0;
        }
        // What it starts with may run on into the next piece.
        std::string_view name = runningname_.view();
        std::size_t pattern = name.size() + 2;
        for (; at < bytes && intail_; ++at, ++tailmatched_) {
            char c = byteat(at);
            if (tailmatched_ == 0 && c == ';') {
                intail_ = false;
            } else if (running_ == nullptr || pattern > readsize ||
                       c != (tailmatched_ == 0 || tailmatched_ == pattern - 1 ? ':' : name[tailmatched_ - 1])) {
                intail_ = false;
                endrun(current, "the rest of a line cut at 1,023 bytes");
            } else if (tailmatched_ == pattern - 1) {
                intail_ = false;
            }
        }
        if (intail_ && endsphysical(current)) {
            intail_ = false;
            endrun(current, "the rest of a line cut at 1,023 bytes");
        }
    }

    // Whether a line never read repeats, byte for byte, one the game's
    // reading took. A file that repeats its games loses lines by the
    // thousand, so the fingerprint comes first, then the hash: only a line
    // whose both are one of the reading's is read back and compared.
    bool duplicate(const line& current, gamerun& game) {
        if (!iswhole(current)) return false;
        std::string_view text = withoutlineend(current.text);
        takenline lost{fingerprint(text), 0, 0};
        if (!maybeseen(game, lost.print)) return false;
        // The first line of its fingerprint: short runs are looked through
        // as they stand, longer ones searched in order.
        std::size_t end = game.firstkept + game.kept;
        std::size_t at = game.firstkept;
        if (game.kept > shortrun) {
            at = firstwith(game, lost);
        } else {
            while (at < end && kept_[at].print != lost.print) ++at;
        }
        if (at == end || kept_[at].print != lost.print) return false;
        lost.hash = hashof(text) | 1;
        if (game.sorted) at = firstwith(game, lost);
        // A few lines read back at most: only a file made to defeat the
        // hash holds more lines that share all three with this one.
        for (int readbacks = 0; at < end && readbacks < mostreadbacks; ++at) {
            const takenline& kept = kept_[at];
            if (kept.print != lost.print || kept.hash != lost.hash) {
                if (game.sorted) break;  // past them all
                continue;
            }
            if ((kept.place & lengthmask) != text.size()) continue;
            ++readbacks;
            if (holdsat(kept.place >> lengthbits, text)) return true;
        }
        return false;
    }

    // Whether the file holds `text` at `position`. Read back through a
    // window of a few kilobytes: a game's repeated lines come together, and
    // so do the lines they repeat.
    bool holdsat(std::uint64_t position, std::string_view text) {
        if (position < windowat_ || position + text.size() > windowat_ + window_.size()) {
            window_.clear();
            long resume = file_ == nullptr ? -1 : std::ftell(file_);
            if (resume < 0 || position > static_cast<std::uint64_t>(LONG_MAX) ||
                std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0) {
                return false;
            }
            window_.resize(windowsize);
            window_.resize(std::fread(&window_[0], 1, window_.size(), file_));
            windowat_ = position;
            if (std::fseek(file_, resume, SEEK_SET) != 0) window_.clear();
            std::clearerr(file_);
        }
        auto from = static_cast<std::size_t>(position - windowat_);
        return from + text.size() <= window_.size() && std::string_view(window_).substr(from, text.size()) == text;
    }

    // Where the run's first line not before `wanted` (by fingerprint, then
    // hash) is kept, or the run's end. Its lines are put in order the first
    // time they are searched (its reading is over by then): a file of many
    // lost lines costs no search of them all.
    std::size_t firstwith(gamerun& game, const takenline& wanted) {
        std::size_t first = game.firstkept;
        std::size_t count = game.kept;
        if (!game.sorted && count > 1) {
            if (kept_.together(first, count)) {
                std::sort(&kept_[first], &kept_[first] + count);
            } else {
                std::vector<takenline> sorted(count);
                for (std::size_t i = 0; i < count; ++i) sorted[i] = kept_[first + i];
                std::sort(sorted.begin(), sorted.end());
                for (std::size_t i = 0; i < count; ++i) kept_[first + i] = sorted[i];
            }
        }
        game.sorted = true;
        while (count > 0) {
            std::size_t half = count / 2;
            if (kept_[first + half] < wanted) {
                first += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        return first;
    }

    std::FILE* file_;
    findingsink& out_;
    blockstate block_;  // never set: a game's run is its block
    nametable<gamerun> games_;   // every game met, by shortname
    gamerun* running_ = nullptr;  // the game being read, if any
    heldshortname runningname_;
    std::string_view runningleader_;  // its leader, if any
    gamerun* looked_ = nullptr;  // the game looked up last
    heldshortname lookedname_;
    itemstore<takenline> kept_;  // the lines read, run by run
    static constexpr std::size_t windowsize = 4096;
    std::string window_;         // bytes of the file read back
    std::uint64_t windowat_ = 0;  // where they stand
    bool hascheat_ = false;  // the running game has a cheat to link to
    bool pending_ = false;   // head_ holds the start of a read line not yet whole
    bool intail_ = false;    // a read past a cut is under way, not yet told apart
    std::size_t tailmatched_ = 0;  // how much of ":name:" it has matched
    std::string head_;
};

class fbneo final : public dialect {
public:
    std::string_view name() const override { return "fbneo"; }
    bool usual(checkid check) const override { return later::usual(check); }

    linekind classify(const line& current) const override {
        std::string_view text = current.text;
        if (current.column == 1 && !text.empty() && text[0] == ':') {  // most lines
            return startswith(text, ": [") ? linekind::header : linekind::cheat;
        }
        linekind kind;
        if (later::commonkind(current, kind)) return kind;
        if (startswith(text, "//") || text[0] == '#') return linekind::comment;
        return linekind::other;
    }

    int findlisted(gamewalk& walk, std::string_view shortname, std::size_t readable) const override {
        int found = findgame(walk, shortname, readable);
        if (found >= 0) return found;
        std::size_t leader = unlistedleader(walk.list, shortname);
        if (leader == 0) return found;
        return findgame(walk, shortname.substr(leader), readable - leader);
    }

    std::size_t unlistedleader(const gamelist& list, std::string_view shortname) const override {
        std::string_view leader = leaderof(shortname);
        return leader.empty() || holdsleaders(list) ? 0 : leader.size();
    }

    std::unique_ptr<linecheck> thirdpass(std::FILE* cheatfile, findingsink& out, bool) const override {
        return std::make_unique<fbneorules>(cheatfile, out);
    }
};

}  // namespace

const dialect& fbneodialect() {
    static const fbneo rules;
    return rules;
}
