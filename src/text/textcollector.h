#pragma once

#include <string>
#include <string_view>

// Text gathered into a string by the writers' put calls: for a message that
// is made once and then kept or written elsewhere.
struct textcollector {
    std::string text;
    void put(std::string_view part) { text += part; }
    void put(char c) { text += c; }
    void putnumber(long long number) { text += std::to_string(number); }
};
