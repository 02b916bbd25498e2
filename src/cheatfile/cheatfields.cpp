#include "cheatfields.h"

namespace {

// Takes the field that starts at or after `c`, leaving `c` just past it;
// false when only colons remain.
bool nextfield(const char*& c, std::string_view& field) {
    while (*c == ':') {
        ++c;
    }
    if (*c == '\0') {
        return false;
    }
    const char* start = c;
    while (*c != ':' && *c != '\0') {
        ++c;
    }
    field = std::string_view(start, static_cast<std::size_t>(c - start));
    return true;
}

}  // namespace

// Each stops after the fields it needs: every cheat line comes through here
// twice, and its description is never needed.
cheatfields splitfields(const char* cheatline) {
    cheatfields fields;
    const char* c = cheatline;
    for (std::string_view* field : {&fields.shortname, &fields.type, &fields.address,
                                    &fields.data, &fields.extended}) {
        if (!nextfield(c, *field)) {
            break;
        }
    }
    return fields;
}

std::string_view cheatshortname(const char* cheatline) {
    std::string_view shortname;
    nextfield(cheatline, shortname);
    return shortname;
}
