#include "gamewalk.h"

namespace {

enum class direction { none, forward, backward };

}  // namespace

int findgame(gamewalk& walk, const gamelist& list, std::string_view shortname) {
    if (list.count == 0) {
        return -1;
    }
    direction heading = direction::none;
    for (;;) {
        int order = compare(shortname, std::string_view(list.games[walk.index].shortname));
        if (order == 0) {
            return walk.index;
        }
        if (order > 0) {
            if (walk.index == list.count - 1) {
                return -1;
            }
            ++walk.index;
            if (heading == direction::backward) {
                return -1;
            }
            heading = direction::forward;
        } else {
            if (walk.index == 0) {
                return -1;
            }
            --walk.index;
            if (heading == direction::forward) {
                return -1;
            }
            heading = direction::backward;
        }
    }
}
