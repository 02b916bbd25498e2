#pragma once

#include <cstddef>
#include <string_view>

// A line number that counts up one at a time and is kept as decimal text
// too: a big file's reports print hundreds of thousands of them, and
// counting in text costs next to nothing.
class linecounter {
public:
    explicit linecounter(long long number = 0) : number_(number) {
        unsigned long long rest = number < 0 ? 0 : static_cast<unsigned long long>(number);
        do {
            digits_[--start_] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        } while (rest != 0);
    }

    void advance() {
        ++number_;
        std::size_t at = sizeof digits_;
        while (at > start_ && digits_[at - 1] == '9') digits_[--at] = '0';
        if (at > start_) {
            ++digits_[at - 1];
        } else {
            digits_[--start_] = '1';
        }
    }

    long long number() const { return number_; }
    std::string_view text() const { return {digits_ + start_, sizeof digits_ - start_}; }

private:
    long long number_;
    std::size_t start_ = sizeof digits_;
    char digits_[24];
};
