#include "linekind.h"

#include <cstring>

linekind classify(const char* text) {
    // The third character of the end marker is not looked at, but it must exist.
    if (text[0] == '#' && text[1] == '#' && text[2] != '\0' && text[3] == 'E') {
        return linekind::endmarker;
    }
    if (std::strncmp(text, "; [", 3) == 0) {
        return linekind::title;
    }
    if (text[0] == ':') {
        return linekind::cheat;
    }
    return linekind::other;
}
