#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

// Gathers the pieces of one report entry and hands them to the file in one
// write when it goes out of scope: the warnings file of a big cheat file has
// hundreds of thousands of entries. Text longer than the buffer is passed on
// in parts, so nothing is ever cut or overrun.
class entrywriter {
public:
    explicit entrywriter(std::FILE* file) : file_(file) {}
    ~entrywriter() { flush(); }
    entrywriter(const entrywriter&) = delete;
    entrywriter& operator=(const entrywriter&) = delete;

    void put(std::string_view text);
    void put(char c) { put(std::string_view(&c, 1)); }
    void putrepeated(char c, std::size_t count);
    // Decimal digits written by hand: the C runtimes of the hosts disagree
    // on how to print a long long.
    void putnumber(long long number);

private:
    void flush();

    std::FILE* file_;
    std::size_t used_ = 0;
    char buffer_[1024];
};
