#pragma once

#include <cstddef>
#include <string_view>

// Same capacity as a game title, so that a long title can still match.
constexpr std::size_t blocktitlecapacity = 134;

struct blocktitle {
    char text[blocktitlecapacity + 1];
};

// Takes the block title from a title line "; [ Title ]": the text after the
// second blank-delimited token, less its last two characters. A raw title
// that is missing or shorter than two characters gives an empty block title;
// a longer one than fits is cut to its first 134 characters.
void takeblocktitle(std::string_view titleline, blocktitle& out);
