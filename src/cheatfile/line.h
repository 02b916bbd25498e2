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

// Reads a file's lines in large blocks. CR LF reads as one line feed on
// every host (the CR not counted); a lone CR is kept. A Ctrl-Z ends the
// file. A reader starts where the file stands, so a pass that rewinds the
// file takes a new reader.
class linereader {
public:
    explicit linereader(std::FILE* file) : file_(file) {}

    // False at the end of the file or on a read error (the caller tells
    // the two apart with std::ferror).
    bool next(line& out);

private:
    bool refill();
    std::size_t find(char c, std::size_t from) const;
    std::size_t plainrun(std::size_t room);

    std::FILE* file_;
    bool stopped_ = false;  // at a Ctrl-Z, or the file gave no more
    std::size_t start_ = 0;  // the unread bytes of the block
    std::size_t end_ = 0;
    std::size_t nextcr_ = 0;  // the next CR, or end_; stale once passed
    std::size_t nextmark_ = 0;  // the block's Ctrl-Z, or end_
    char buffer_[65536];
};
