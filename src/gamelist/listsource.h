#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "text/line.h"

// A game list's bytes as UTF-8, whatever its byte-order mark says: a UTF-8
// mark is dropped, and a file that starts with a UTF-16 mark (Windows
// PowerShell's `>` writes one), or without a mark with a NUL byte first or
// second beside a character, is decoded, a code unit that is no character
// becoming U+FFFD. Any other file without a mark is taken as it is; one
// with a UTF-32 mark gives nothing.
class listsource : public bytesource {
public:
    explicit listsource(std::FILE* file) : file_(file) {}

    std::size_t read(char* into, std::size_t size) override;

    // The first decoded bytes (up to 4 KB), which read() still gives: for
    // telling the list's format. With `skipblanks`, blanks before them,
    // however many, are dropped for good.
    std::string_view start(bool skipblanks = false);

    // How far the blanks start() dropped move a place in what read() gives:
    // lines to add to every place, and columns to add to one on the first
    // line. XML takes a lone CR for a line end too; other text does not.
    struct shift {
        long long lines;
        long long columns;
    };
    shift dropped(bool crendsline) const;

    bool fromutf16() const { return encoding_ == encoding::utf16le || encoding_ == encoding::utf16be; }
    // A byte-order mark of UTF-32, which is not read.
    bool unreadable() { return encoding_ == encoding::utf32; }
    bool failed() const { return std::ferror(file_) != 0; }

private:
    enum class encoding { unknown, asis, utf16le, utf16be, utf32 };

    void recognise();
    void drop(char blank);
    std::size_t readon(char* into, std::size_t size);
    bool fillraw();
    std::size_t decode(char* into, std::size_t size);

    std::FILE* file_;
    encoding encoding_ = encoding::unknown;
    unsigned char raw_[65536];
    std::size_t rawat_ = 0;
    std::size_t rawend_ = 0;
    char head_[4096];  // what start() decoded, handed out first
    std::size_t headat_ = 0;
    std::size_t headend_ = 0;
    bool headread_ = false;
    char pending_[4];  // the rest of a character that did not fit
    std::size_t pendingat_ = 0;
    std::size_t pendingend_ = 0;
    unsigned highsurrogate_ = 0;  // waiting for its low half
    bool ended_ = false;
    // The blanks dropped, counted both ways.
    shift droppedlf_{0, 0};
    shift droppedxml_{0, 0};
    bool droppedcr_ = false;  // the last one dropped was a CR
};
