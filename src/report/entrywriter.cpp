#include "entrywriter.h"

#include <algorithm>
#include <cstring>

void entrywriter::put(std::string_view text) {
    while (!text.empty()) {
        if (used_ == sizeof buffer_) {
            flush();
        }
        std::size_t part = std::min(text.size(), sizeof buffer_ - used_);
        std::memcpy(buffer_ + used_, text.data(), part);
        used_ += part;
        text.remove_prefix(part);
    }
}

void entrywriter::putrepeated(char c, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        put(c);
    }
}

void entrywriter::putnumber(long long number) {
    char digits[24];
    std::size_t length = 0;
    unsigned long long magnitude =
        number < 0 ? 0ULL - static_cast<unsigned long long>(number) : static_cast<unsigned long long>(number);
    do {
        digits[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) {
        put('-');
    }
    while (length > 0) {
        put(digits[--length]);
    }
}

void entrywriter::flush() {
    if (used_ == 0) {
        return;  // a writer that wrote nothing never touches its file
    }
    std::fwrite(buffer_, 1, used_, file_);
    used_ = 0;
}
