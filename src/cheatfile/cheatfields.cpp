#include "cheatfields.h"

#include "text/eightbytes.h"

std::string_view nextfield(const char*& c, const char* end) {
    while (c != end && *c == ':') {
        ++c;
    }
    const char* start = c;
    if (end - c >= 8) {  // most shortnames end within eight characters
        int before = unmarkedbefore(marksof(loadeight(c), ':'));
        c += before;
        if (before < 8) return std::string_view(start, static_cast<std::size_t>(before));
    }
    while (c != end && *c != ':') {
        ++c;
    }
    return std::string_view(start, static_cast<std::size_t>(c - start));
}

std::string_view cheatshortname(std::string_view cheatline) {
    const char* c = cheatline.data();
    return nextfield(c, c + cheatline.size());
}
