#include "linekind.h"

#include "titleline.h"

linekind classify(std::string_view text) {
    // The third character of the end marker is not looked at, but it must exist.
    if (text.size() >= 4 && text[0] == '#' && text[1] == '#' && text[3] == 'E') {
        return linekind::endmarker;
    }
    if (istitleline(text)) {
        return linekind::title;
    }
    if (!text.empty() && text[0] == ':') {
        return linekind::cheat;
    }
    return linekind::other;
}
