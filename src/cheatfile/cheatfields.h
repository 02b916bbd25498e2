#pragma once

#include <string_view>

// The first five colon-separated fields of a cheat line, as views into the
// line itself: nothing is copied, so no field can spill into another. A run
// of colons separates like one; missing fields are empty.
struct cheatfields {
    std::string_view shortname;
    std::string_view type;
    std::string_view address;
    std::string_view data;
    std::string_view extended;
};

cheatfields splitfields(const char* cheatline);

// The first field alone.
std::string_view cheatshortname(const char* cheatline);
