#include "gamewalk.h"

#include <algorithm>

// The walk is one step per entry passed. Galloping in the walk's direction,
// then bisecting the last stride, lands on the same entry and the same
// resting index in a number of steps that grows with the log of the
// distance, so cheat files in any order stay fast.

namespace {

constexpr std::size_t keylength = sizeof(std::uint64_t);
static_assert(shortnamecapacity <= keylength, "a listed shortname must fit its key whole");

// The first eight bytes, most significant first, zero-padded: numbers
// order as the bytes do, and a shorter name before a longer one it starts.
std::uint64_t keyof(std::string_view shortname) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < keylength; ++i) {
        std::uint64_t byte = i < shortname.size() ? static_cast<unsigned char>(shortname[i]) : 0;
        key = (key << 8) | byte;
    }
    return key;
}

// A shortname being looked for, in the form the steps compare.
struct sought {
    std::uint64_t key;
    bool longer;  // than any listed shortname, so above a listed name it starts with

    explicit sought(std::string_view shortname) : key(keyof(shortname)), longer(shortname.size() > keylength) {}

    int order(std::uint64_t entrykey) const {
        if (key != entrykey) {
            return key < entrykey ? -1 : 1;
        }
        return longer ? 1 : 0;
    }
};

// The first entry from `from` on that is not below the name, or count.
int firstnotbelow(const gamewalk& walk, int from, const sought& name) {
    int low = from;  // entries before `low` are below
    int high = walk.list.count;
    for (int stride = 1;; stride *= 2) {
        int probe = low + stride - 1;
        if (probe >= walk.list.count) {
            break;
        }
        if (name.order(walk.keys[probe]) <= 0) {
            high = probe;
            break;
        }
        low = probe + 1;
    }
    auto below = [](std::uint64_t entrykey, const sought& n) { return n.order(entrykey) > 0; };
    return static_cast<int>(std::lower_bound(walk.keys + low, walk.keys + high, name, below) - walk.keys);
}

// Where the run of entries above the name that ends just before `before`
// starts; `before` itself when the entry before it is not above.
int aboverunstart(const gamewalk& walk, int before, const sought& name) {
    int low = 0;
    int high = before;  // entries from `high` to `before` are above
    for (int stride = 1;; stride *= 2) {
        int probe = high - stride;
        if (probe < 0) {
            break;
        }
        if (name.order(walk.keys[probe]) >= 0) {
            low = probe + 1;
            break;
        }
        high = probe;
    }
    auto above = [](const sought& n, std::uint64_t entrykey) { return n.order(entrykey) < 0; };
    return static_cast<int>(std::upper_bound(walk.keys + low, walk.keys + high, name, above) - walk.keys);
}

// The walk ends at `stop`: a match rests there, a miss one step back the
// way the walk came.
int endwalk(gamewalk& walk, int stop, int stepback, const sought& name) {
    bool found = name.order(walk.keys[stop]) == 0;
    walk.index = found ? stop : stop + stepback;
    return found ? stop : -1;
}

}  // namespace

gamewalk::gamewalk(const gamelist& games) : list(games), keys{} {
    for (int i = 0; i < list.count; ++i) {
        keys[i] = keyof(list.games[i].shortname);
    }
}

int findgame(gamewalk& walk, std::string_view shortname) {
    if (walk.list.count == 0) {
        return -1;
    }
    sought name(shortname);
    int order = name.order(walk.keys[walk.index]);
    if (order == 0) {
        return walk.index;
    }
    if (order > 0) {
        // Walking forward, the first entry not below the name ends the walk:
        // a match, or the turn back onto the entry before it.
        int stop = firstnotbelow(walk, walk.index + 1, name);
        if (stop == walk.list.count) {
            walk.index = walk.list.count - 1;
            return -1;
        }
        return endwalk(walk, stop, -1, name);
    }
    // Walking backward, the last entry not above the name ends the walk.
    int stop = aboverunstart(walk, walk.index, name) - 1;
    if (stop < 0) {
        walk.index = 0;
        return -1;
    }
    return endwalk(walk, stop, +1, name);
}
