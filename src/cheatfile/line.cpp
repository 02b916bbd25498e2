#include "line.h"

#include <algorithm>
#include <cstring>

namespace {

// Old DOS-era files end at a Ctrl-Z; the tool's first host stops reading
// there, and every host does the same so that reports agree.
constexpr char endoffilemark = 0x1A;

}  // namespace

bool linereader::refill() {
    if (stopped_) {
        return false;
    }
    start_ = 0;
    end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
    stopped_ = end_ == 0;
    nextcr_ = find('\r', 0);
    nextmark_ = find(endoffilemark, 0);
    return !stopped_;
}

std::size_t linereader::find(char c, std::size_t from) const {
    const void* found = std::memchr(buffer_ + from, c, end_ - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer_) : end_;
}

// CRs and Ctrl-Zs are rare, so each is searched for once per block, not
// once per line.
std::size_t linereader::plainrun(std::size_t room) {
    if (nextcr_ < start_) {
        nextcr_ = find('\r', start_);
    }
    room = std::min({room, nextcr_ - start_, nextmark_ - start_});
    const void* linefeed = std::memchr(buffer_ + start_, '\n', room);
    return linefeed != nullptr ? static_cast<std::size_t>(static_cast<const char*>(linefeed) - buffer_) - start_
                               : room;
}

bool linereader::next(line& out) {
    std::size_t length = 0;
    while (length < linecapacity) {
        if (start_ == end_ && !refill()) {
            break;
        }
        std::size_t room = std::min(end_ - start_, linecapacity - length);
        std::size_t plain = plainrun(room);
        std::memcpy(out.text + length, buffer_ + start_, plain);
        length += plain;
        start_ += plain;
        if (plain == room) {
            continue;  // the line is full, or the block is used up
        }
        char c = buffer_[start_];
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
