#include "listsource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned replacement = 0xFFFD;

// `c` as UTF-8 into `out`; returns the bytes written.
std::size_t utf8(unsigned c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

}  // namespace

// More raw bytes after those not yet taken; false when the file gave none.
bool listsource::fillraw() {
    if (ended_) return false;
    std::memmove(raw_, raw_ + rawat_, rawend_ - rawat_);
    rawend_ -= rawat_;
    rawat_ = 0;
    std::size_t got = std::fread(raw_ + rawend_, 1, sizeof raw_ - rawend_, file_);
    rawend_ += got;
    ended_ = got == 0;
    return got > 0;
}

void listsource::recognise() {
    while (rawend_ < 4 && fillraw()) {
    }
    const unsigned char* b = raw_;
    if ((rawend_ >= 4 && b[0] == 0xFF && b[1] == 0xFE && b[2] == 0 && b[3] == 0) ||
        (rawend_ >= 4 && b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF)) {
        encoding_ = encoding::utf32;
        ended_ = true;
        rawat_ = rawend_;
    } else if (rawend_ >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        rawat_ = 3;
        encoding_ = encoding::asis;
    } else if (rawend_ >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        rawat_ = 2;
        encoding_ = encoding::utf16le;
    } else if (rawend_ >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        rawat_ = 2;
        encoding_ = encoding::utf16be;
    } else if (rawend_ >= 2 && b[0] != 0 && b[0] < 0x80 && b[1] == 0) {
        encoding_ = encoding::utf16le;  // no mark, but ASCII in UTF-16 all the same
    } else if (rawend_ >= 2 && b[0] == 0 && b[1] != 0 && b[1] < 0x80) {
        encoding_ = encoding::utf16be;
    } else {
        encoding_ = encoding::asis;
    }
}

// UTF-16 code units into UTF-8, as many characters as fit.
std::size_t listsource::decode(char* into, std::size_t size) {
    std::size_t given = 0;
    while (given < size) {
        if (pendingat_ < pendingend_) {
            into[given++] = pending_[pendingat_++];
            continue;
        }
        if (rawend_ - rawat_ < 2 && !fillraw()) {
            if (rawend_ - rawat_ == 0 && highsurrogate_ == 0) break;
            // A lone high half, or an odd last byte: no character.
            rawat_ = rawend_;
            highsurrogate_ = 0;
            pendingat_ = 0;
            pendingend_ = utf8(replacement, pending_);
            continue;
        }
        unsigned unit = encoding_ == encoding::utf16le ? raw_[rawat_] | (raw_[rawat_ + 1] << 8)
                                                        : (raw_[rawat_] << 8) | raw_[rawat_ + 1];
        rawat_ += 2;
        unsigned character = unit;
        if (highsurrogate_ != 0) {
            bool low = unit >= 0xDC00 && unit <= 0xDFFF;
            character = low ? 0x10000 + ((highsurrogate_ - 0xD800) << 10) + (unit - 0xDC00) : replacement;
            highsurrogate_ = 0;
            if (!low) rawat_ -= 2;  // the unit is read again on its own
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            highsurrogate_ = unit;
            continue;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            character = replacement;
        }
        pendingat_ = 0;
        pendingend_ = utf8(character, pending_);
    }
    return given;
}

// What follows the head.
std::size_t listsource::readon(char* into, std::size_t size) {
    if (encoding_ == encoding::unknown) recognise();
    if (fromutf16()) return decode(into, size);
    std::size_t given = std::min(size, rawend_ - rawat_);
    std::memcpy(into, raw_ + rawat_, given);
    rawat_ += given;
    if (given < size && !ended_) given += std::fread(into + given, 1, size - given, file_);
    return given;
}

std::size_t listsource::read(char* into, std::size_t size) {
    std::size_t given = std::min(size, headend_ - headat_);
    std::memcpy(into, head_ + headat_, given);
    headat_ += given;
    return given == size ? given : given + readon(into + given, size - given);
}

// A dropped blank, counted both ways: a line feed ends a line; to XML a CR
// LF or a lone CR does.
void listsource::drop(char blank) {
    if (blank == '\n') {
        droppedlf_ = {droppedlf_.lines + 1, 0};
    } else {
        ++droppedlf_.columns;
    }
    if (blank == '\r' || (blank == '\n' && !droppedcr_)) {
        droppedxml_ = {droppedxml_.lines + 1, 0};
    } else if (blank != '\n') {
        ++droppedxml_.columns;
    }
    droppedcr_ = blank == '\r';
}

listsource::shift listsource::dropped(bool crendsline) const { return crendsline ? droppedxml_ : droppedlf_; }

std::string_view listsource::start(bool skipblanks) {
    if (!headread_) {
        std::size_t got;
        while (headend_ < sizeof head_ && (got = readon(head_ + headend_, sizeof head_ - headend_)) > 0) {
            headend_ += got;
            if (skipblanks) {
                std::size_t blanks = 0;
                while (blanks < headend_ && std::strchr(" \t\r\n", head_[blanks]) != nullptr && head_[blanks] != '\0') {
                    drop(head_[blanks]);
                    ++blanks;
                }
                std::memmove(head_, head_ + blanks, headend_ - blanks);
                headend_ -= blanks;
                skipblanks = headend_ == 0;  // until the first byte that is not one
            }
        }
        headread_ = true;
    }
    return {head_ + headat_, headend_ - headat_};
}
