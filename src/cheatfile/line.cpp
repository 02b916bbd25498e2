#include "line.h"

#include <algorithm>
#include <cstring>

namespace {

// Old DOS-era files end at a Ctrl-Z; the tool's first host stops reading
// there, and every host does the same so that reports agree.
constexpr char endoffilemark = 0x1A;

// Length of the leading run that holds no line feed, CR or Ctrl-Z.
std::size_t plainrun(const char* text, std::size_t length) {
    if (const void* found = std::memchr(text, '\n', length)) {
        length = static_cast<std::size_t>(static_cast<const char*>(found) - text);
    }
    for (char special : {'\r', endoffilemark}) {
        if (const void* found = std::memchr(text, special, length)) {
            length = static_cast<std::size_t>(static_cast<const char*>(found) - text);
        }
    }
    return length;
}

}  // namespace

bool linereader::refill() {
    if (stopped_) {
        return false;
    }
    start_ = 0;
    end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    stopped_ = end_ == 0;
    return !stopped_;
}

bool linereader::next(line& out) {
    std::size_t length = 0;
    while (length < linecapacity) {
        if (start_ == end_ && !refill()) {
            break;
        }
        const char* rest = buffer_ + start_;
        std::size_t room = std::min(end_ - start_, linecapacity - length);
        std::size_t plain = plainrun(rest, room);
        std::memcpy(out.text + length, rest, plain);
        length += plain;
        start_ += plain;
        if (plain == room) {
            continue;  // the line is full, or the block is used up
        }
        char c = rest[plain];
        if (c == endoffilemark) {
            stopped_ = true;  // left unread: every later read ends here too
            break;
        }
        ++start_;
        if (c == '\r') {
            if (start_ == end_) {
                refill();
            }
            if (start_ < end_ && buffer_[start_] == '\n') {
                ++start_;
                c = '\n';
            }
        }
        out.text[length++] = c;
        if (c == '\n') {
            break;
        }
    }
    out.text[length] = '\0';
    return length > 0;
}
