#pragma once

#include <string_view>

// A cheat line's colon-separated fields are taken as views into the line
// itself: nothing is copied, so no field can spill into another. A run of
// colons separates like one; a missing field is empty and points at the
// end of the line.

// The first field, the shortname.
std::string_view cheatshortname(std::string_view cheatline);

// A shortname field that holds nothing but, at most, the line's end: a
// cheat line of colons alone.
inline bool isnameless(std::string_view shortname) { return shortname.empty() || shortname == "\n"; }

// A field that runs to the end of its line carries the line feed: a cheat
// line that holds its shortname alone, say. The passes compare it so, as
// they always have; what is shown of it, and what a fix changes, is the
// field without it.
inline bool endsline(std::string_view field) { return !field.empty() && field.back() == '\n'; }
inline std::string_view withoutlineend(std::string_view field) {
    return endsline(field) ? field.substr(0, field.size() - 1) : field;
}

// The field that starts at or after `c`, colons before it skipped, leaving
// `c` just past it: for a reader that takes the fields one by one.
std::string_view nextfield(const char*& c, const char* end);
