#include "gamewalk.h"

#include <algorithm>

// The walk is one step per entry passed. Galloping in the walk's direction,
// then bisecting the last stride, lands on the same entry and the same
// resting index in a number of steps that grows with the log of the
// distance, so cheat files in any order stay fast.

namespace {

bool entrybelow(const gameentry& entry, std::string_view shortname) { return compare(shortname, entry) > 0; }

bool nameabove(std::string_view shortname, const gameentry& entry) { return compare(shortname, entry) < 0; }

// The first entry from `from` on that is not below `shortname`, or count.
int firstnotbelow(const gamelist& list, int from, std::string_view shortname) {
    int low = from;  // entries before `low` are below
    int high = list.count;
    for (int stride = 1;; stride *= 2) {
        int probe = low + stride - 1;
        if (probe >= list.count) {
            break;
        }
        if (!entrybelow(list.games[probe], shortname)) {
            high = probe;
            break;
        }
        low = probe + 1;
    }
    return static_cast<int>(std::lower_bound(list.games + low, list.games + high, shortname, entrybelow) -
                            list.games);
}

// Where the run of entries above `shortname` that ends just before `before`
// starts; `before` itself when the entry before it is not above.
int aboverunstart(const gamelist& list, int before, std::string_view shortname) {
    int low = 0;
    int high = before;  // entries from `high` to `before` are above
    for (int stride = 1;; stride *= 2) {
        int probe = high - stride;
        if (probe < 0) {
            break;
        }
        if (!nameabove(shortname, list.games[probe])) {
            low = probe + 1;
            break;
        }
        high = probe;
    }
    return static_cast<int>(std::upper_bound(list.games + low, list.games + high, shortname, nameabove) -
                            list.games);
}

}  // namespace

int findgame(gamewalk& walk, const gamelist& list, std::string_view shortname) {
    if (list.count == 0) {
        return -1;
    }
    int order = compare(shortname, list.games[walk.index]);
    if (order == 0) {
        return walk.index;
    }
    if (order > 0) {
        // Walking forward, the first entry not below the name ends the walk:
        // a match, or the turn back onto the entry before it.
        int stop = firstnotbelow(list, walk.index + 1, shortname);
        if (stop == list.count) {
            walk.index = list.count - 1;
            return -1;
        }
        bool found = compare(shortname, list.games[stop]) == 0;
        walk.index = found ? stop : stop - 1;
        return found ? stop : -1;
    }
    // Walking backward, the last entry not above the name ends the walk.
    int stop = aboverunstart(list, walk.index, shortname) - 1;
    if (stop < 0) {
        walk.index = 0;
        return -1;
    }
    bool found = compare(shortname, list.games[stop]) == 0;
    walk.index = found ? stop : stop + 1;
    return found ? stop : -1;
}
