#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

// One read from a text file: at most 511 characters, the line feed counted
// and kept. A longer physical line arrives as several lines. The text ends
// at its first NUL byte; bytes after it are never looked at.
constexpr std::size_t linecapacity = 511;

struct line {
    std::string_view text;  // up to the first NUL; valid until the next read
    std::size_t size;       // characters read, NULs and what follows them included
    bool endsline;          // the last character read is a line feed
    bool highbyte;          // some byte of the text is above 0x7F
    bool crlf;              // its line feed was a CR LF in the file
    long long number;       // from 1 for the reader's first line
    // Where it stands as an editor counts: the physical line, from 1 for
    // the reader's first, and the byte column of its first character there
    // (a piece after the first of a long line starts past column 511).
    long long physical;
    long long column;
    std::uint64_t position;  // where in the file it starts
};

// The last piece of its physical line: a line feed or the file's end came
// before the reader's capacity was reached.
inline bool endsphysical(const line& piece) { return piece.endsline || piece.size < linecapacity; }

// A physical line read in one piece, with no NUL in it: text that can be
// rewritten in place.
inline bool iswhole(const line& piece) {
    return piece.column == 1 && endsphysical(piece) && piece.text.size() == piece.size;
}

// The lines of a pass that hold a byte above 0x7F, noted as the pass reads
// them, so that the character scan need only go back to those. When more
// than fit, the scan reads on from the first one not noted.
struct highbytelines {
    static constexpr int capacity = 4096;
    struct place {
        long long number;       // from 1 for the pass's first line
        std::uint64_t position;  // where in the file it starts
    };
    place lines[capacity];
    int count = 0;
    place firstunnoted{0, 0};  // number 0 while every one is noted

    void note(long long number, std::uint64_t position);
};

// Where a reader's bytes come from when not straight from a file: a game
// list decoded from UTF-16, say.
class bytesource {
public:
    // Up to `size` bytes into `into`; 0 at the end or after a failure.
    virtual std::size_t read(char* into, std::size_t size) = 0;

protected:
    ~bytesource() = default;
};

// Reads a file's lines in large blocks and hands them out as views into
// the block, so no line is copied. CR LF reads as one line feed on every
// host (the CR not counted); a lone CR is kept. A Ctrl-Z ends the file. A
// reader starts where the file stands, so a pass that rewinds the file
// takes a new reader.
class linereader {
public:
    // `blocksize` bytes are read at a time; a reader that goes back for a
    // single line takes a small one.
    explicit linereader(std::FILE* file, std::size_t blocksize = sizeof(buffer_));
    explicit linereader(bytesource& source);

    // Every line read with a byte above 0x7F is noted in `notes`.
    void notehighbytes(highbytelines* notes) { notes_ = notes; }

    // False at the end of the file or on a read error (the caller tells
    // the two apart with std::ferror).
    bool next(line& out);


private:
    bool fill();
    std::size_t findhighbyte(std::size_t from) const;

    std::FILE* file_;
    bytesource* source_ = nullptr;
    std::size_t blocksize_;
    highbytelines* notes_ = nullptr;
    bool ended_ = false;    // the file gave no more
    bool stopped_ = false;  // at a Ctrl-Z: every later read ends here too
    std::size_t start_ = 0;  // the unread bytes of the block
    std::size_t end_ = 0;
    std::size_t nextnul_ = 0;   // the next NUL, or end_; stale once passed
    std::size_t nextmark_ = 0;  // the block's first Ctrl-Z, or end_
    std::size_t nexthigh_ = 0;  // the next byte above 0x7F, or end_; stale once passed
    std::uint64_t base_ = 0;    // where in the file the block starts
    long long count_ = 0;       // lines read
    long long unended_ = 0;     // lines read that ended no physical line
    long long column_ = 1;      // the next line's column in its physical line
    char buffer_[65536];
};
