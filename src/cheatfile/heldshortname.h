#pragma once

#include <cstddef>
#include <string_view>

#include "text/line.h"
#include "text/textcopy.h"

// A shortname kept after its line is gone, held whole: a shortname can be as
// long as a line, and two long ones must never compare equal by accident.
struct heldshortname {
    char text[linecapacity + 1] = "";
    std::size_t length = 0;

    std::string_view view() const { return {text, length}; }
    void hold(std::string_view shortname) { length = copytext(text, linecapacity, shortname); }
};
