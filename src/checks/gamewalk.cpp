#include "gamewalk.h"

#include <algorithm>
#include <cstring>

#include "text/eightbytes.h"

// The walk is one step per entry passed. Where it ends can be found by
// bisecting the whole sorted table instead: a walk forward from an entry
// below the name ends at the first entry not below it, a walk backward from
// one above it at the last entry not above it, wherever the walk started.
// Cheat files in any order then cost a few steps per block, and the steps
// are written so that the processor need not guess their outcome.

namespace {

constexpr std::size_t keylength = sizeof(std::uint64_t);

// The first eight bytes, most significant first, zero-padded: numbers
// order as the bytes do, and a shorter name before a longer one it starts.
std::uint64_t keyof(std::string_view shortname, std::size_t readable) {
    if (readable >= keylength) {
        std::uint64_t word = loadeight(shortname.data());
        return shortname.size() >= keylength ? word : word & ~(~0ULL >> (8 * shortname.size()));
    }
    char bytes[keylength] = {};
    if (!shortname.empty()) {  // an empty view may point nowhere
        std::memcpy(bytes, shortname.data(), std::min(shortname.size(), keylength));
    }
    return loadeight(bytes);
}

// A shortname being looked for, in the form the steps compare. Names hold
// no NUL byte, so two of up to eight bytes with one key are the same name.
struct sought {
    std::string_view name;
    std::uint64_t key;
    bool longer;  // than a key holds

    sought(std::string_view shortname, std::size_t readable)
        : name(shortname), key(keyof(shortname, readable)), longer(shortname.size() > keylength) {}

    int order(const gamewalk& walk, int entry) const {
        std::uint64_t other = walk.keys[entry];
        if (key != other) return key > other ? 1 : -1;
        if (!longer && !walk.longnames[entry]) return 0;
        int text = compare(name, walk.list.games[entry].shortname);
        return (text > 0) - (text < 0);
    }
};

// How many entries from the start of the table satisfy `holds`, which is
// true for a run of entries from the start and false after it.
template <class test>
int runlength(const gamewalk& walk, test holds) {
    int base = 0;
    int remaining = walk.list.count;
    while (remaining > 1) {
        int half = remaining / 2;
        base = holds(base + half) ? base + half : base;
        remaining -= half;
    }
    return base + (holds(base) ? 1 : 0);
}

// The walk ends at `stop`: a match rests there, a miss one step back the
// way the walk came.
int endwalk(gamewalk& walk, int stop, int stepback, const sought& name) {
    bool found = name.order(walk, stop) == 0;
    walk.index = found ? stop : stop + stepback;
    return found ? stop : -1;
}

}  // namespace

gamewalk::gamewalk(const gamelist& games)
    : list(games),
      keys(std::make_unique<std::uint64_t[]>(static_cast<std::size_t>(games.count))),
      longnames(std::make_unique<bool[]>(static_cast<std::size_t>(games.count))),
      marked(std::make_unique<marks[]>(static_cast<std::size_t>(games.count))) {
    for (int i = 0; i < list.count; ++i) {
        keys[i] = keyof(list.games[i].shortname, 0);
        longnames[i] = list.games[i].shortname.size() > keylength;
    }
}

int findgame(gamewalk& walk, std::string_view shortname, std::size_t readable) {
    if (walk.list.count == 0) {
        return -1;
    }
    sought name(shortname, readable);
    int order = name.order(walk, walk.index);
    if (order == 0) {
        return walk.index;
    }
    if (order > 0) {
        // Walking forward, the first entry not below the name ends the walk:
        // a match, or the turn back onto the entry before it.
        int stop = runlength(walk, [&](int entry) { return name.order(walk, entry) > 0; });
        if (stop == walk.list.count) {
            walk.index = walk.list.count - 1;
            return -1;
        }
        return endwalk(walk, stop, -1, name);
    }
    // Walking backward, the last entry not above the name ends the walk.
    int stop = runlength(walk, [&](int entry) { return name.order(walk, entry) >= 0; }) - 1;
    if (stop < 0) {
        walk.index = 0;
        return -1;
    }
    return endwalk(walk, stop, +1, name);
}
