#pragma once

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "text/alwaysinline.h"


// Gathers text for one file and hands it over in large writes: the reports
// of a big cheat file run to hundreds of thousands of entries. Text longer
// than the room left goes in parts, so nothing is ever cut or overrun. A
// writer without a file writes nothing. The first write that fails is
// remembered with its error number, for outputs whose loss must be told.
template <std::size_t capacity>
class textwriter {
public:
    explicit textwriter(std::FILE* file) : file_(file) {}
    ~textwriter() { flush(); }
    textwriter(const textwriter&) = delete;
    textwriter& operator=(const textwriter&) = delete;

    // Every view put points somewhere, an empty one too.
    alwaysinline void put(std::string_view text) {
        if (text.size() > capacity - used_) return putinparts(text);  // seldom
        std::memcpy(buffer_ + used_, text.data(), text.size());
        used_ += text.size();
    }
    // Room for `size` bytes (at most the capacity) to be written in place,
    // then handed back with the end of what was written.
    char* claim(std::size_t size) {
        if (size > capacity - used_) flush();
        return buffer_ + used_;
    }
    void commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_); }
    void put(char c) {
        if (used_ == capacity) flush();
        buffer_[used_++] = c;
    }
    void putrepeated(char c, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) put(c);
    }
    // Decimal digits written by hand: the C runtimes of the hosts disagree
    // on how to print a long long.
    void putnumber(long long number) {
        char digits[24];
        std::size_t start = sizeof digits;
        unsigned long long magnitude = number < 0 ? 0ULL - static_cast<unsigned long long>(number)
                                                  : static_cast<unsigned long long>(number);
        do {
            digits[--start] = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (number < 0) digits[--start] = '-';
        put(std::string_view(digits + start, sizeof digits - start));
    }
    void flush() {
        if (used_ != 0 && file_ != nullptr && std::fwrite(buffer_, 1, used_, file_) != used_ && !failed_) {
            failed_ = true;
            error_ = errno;
        }
        handed_ += used_;
        used_ = 0;
    }
    // Bytes put so far, handed over or not.
    std::size_t total() const { return handed_ + used_; }
    bool failed() const { return failed_; }
    int error() const { return error_; }

private:
    void putinparts(std::string_view text) {
        while (!text.empty()) {
            if (used_ == capacity) flush();
            std::size_t part = std::min(text.size(), capacity - used_);
            std::memcpy(buffer_ + used_, text.data(), part);
            used_ += part;
            text.remove_prefix(part);
        }
    }

    std::FILE* file_;
    bool failed_ = false;
    int error_ = 0;
    std::size_t handed_ = 0;
    std::size_t used_ = 0;
    char buffer_[capacity];
};

// For what goes out at once: a console entry, a header.
using entrywriter = textwriter<1024>;

// For a report file, written entry after entry for the whole run.
using reportwriter = textwriter<65536>;
