#pragma once

#include <cstddef>
#include <cstdio>

// One read from a text file: at most 511 characters, the line feed counted
// and kept. A longer physical line arrives as several lines. The text ends
// at its first NUL byte; bytes after it are never looked at.
constexpr std::size_t linecapacity = 511;

struct line {
    char text[linecapacity + 1];
};

// Reads the next line; false at the end of the file or on a read error
// (the caller tells the two apart with std::ferror).
bool readline(std::FILE* file, line& out);
