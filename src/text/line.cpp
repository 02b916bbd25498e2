#include "line.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

// Old DOS-era files end at a Ctrl-Z; the tool's first host stops reading
// there, and every host does the same so that reports agree.
constexpr char endoffilemark = 0x1A;

// A line needs this much in view: 511 characters, and the line feed of a
// CR LF whose CR is the 511th.
constexpr std::size_t window = linecapacity + 1;

std::size_t findin(const char* buffer, char c, std::size_t from, std::size_t end) {
    const void* found = std::memchr(buffer + from, c, end - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - buffer) : end;
}

}  // namespace

// Only what a seek can reach back to is noted (a long: 2 GB on some
// hosts); from the first line past that, the scan reads on.
void highbytelines::note(long long number, std::uint64_t position) {
    if (firstunnoted.number != 0) {
        return;
    }
    if (count < capacity && position <= static_cast<std::uint64_t>(LONG_MAX)) {
        lines[count++] = {number, position};
    } else {
        firstunnoted = {number, position};
    }
}

linereader::linereader(std::FILE* file, std::size_t blocksize)
    : file_(file), blocksize_(blocksize < sizeof buffer_ ? blocksize : sizeof buffer_) {
    long at = std::ftell(file);
    base_ = at > 0 ? static_cast<std::uint64_t>(at) : 0;
}

linereader::linereader(bytesource& source) : file_(nullptr), source_(&source), blocksize_(sizeof buffer_) {}

// Moves the unread bytes to the front and reads more after them, so a line
// never straddles two blocks. False when the file gave nothing more.
bool linereader::fill() {
    if (ended_) {
        return false;
    }
    std::size_t unread = end_ - start_;
    std::memmove(buffer_, buffer_ + start_, unread);
    base_ += start_;
    start_ = 0;
    std::size_t room = std::max(blocksize_, window + 1);
    std::size_t want = std::min(room, sizeof buffer_ - unread);
    std::size_t got = source_ != nullptr ? source_->read(buffer_ + unread, want)
                                         : std::fread(buffer_ + unread, 1, want, file_);
    end_ = unread + got;
    ended_ = got == 0;
    // NULs, Ctrl-Zs and high bytes are rare: each is looked for once, not
    // once per line.
    nextnul_ = findin(buffer_, '\0', 0, end_);
    nextmark_ = findin(buffer_, endoffilemark, 0, end_);
    nexthigh_ = findhighbyte(0);
    return got > 0;
}

// Sixty-four bytes at a time while none has its top bit set, with no early
// exit among them, so that they are tested together.
std::size_t linereader::findhighbyte(std::size_t from) const {
    std::size_t at = from;
    for (; at + 64 <= end_; at += 64) {
        unsigned char seen = 0;
        for (std::size_t i = 0; i < 64; ++i) seen |= static_cast<unsigned char>(buffer_[at + i]);
        if (seen >= 0x80) break;
    }
    for (; at < end_; ++at) {
        if (static_cast<unsigned char>(buffer_[at]) >= 0x80) return at;
    }
    return end_;
}

bool linereader::next(line& out) {
    if (stopped_) {
        return false;
    }
    while (end_ - start_ < window && fill()) {
    }
    std::size_t start = start_;
    std::size_t unread = end_ - start;
    if (unread == 0) {
        return false;
    }
    // The line ends after its line feed, or at 511 characters, or where
    // the file ends.
    std::size_t end = start + std::min(unread, linecapacity);
    const void* linefeed = std::memchr(buffer_ + start, '\n', std::min(unread, window));
    if (linefeed != nullptr) {
        std::size_t at = static_cast<std::size_t>(static_cast<const char*>(linefeed) - buffer_);
        if (at - start < linecapacity || buffer_[at - 1] == '\r') {
            end = at + 1;
        }
    }
    if (nextmark_ < end) {
        stopped_ = true;  // left unread: every later read ends here too
        end = nextmark_;
        if (end == start) {
            return false;
        }
    }
    start_ = end;
    out.crlf = end - start >= 2 && buffer_[end - 1] == '\n' && buffer_[end - 2] == '\r';
    if (out.crlf) {
        buffer_[end - 2] = '\n';  // CR LF reads as LF: fold it in place
        --end;
    }
    if (nextnul_ < start) {
        nextnul_ = findin(buffer_, '\0', start, end_);
    }
    if (nexthigh_ < start) {
        nexthigh_ = findhighbyte(start);
    }
    std::size_t textend = std::min(nextnul_, end);
    out.text = std::string_view(buffer_ + start, textend - start);
    out.size = end - start;
    out.endsline = buffer_[end - 1] == '\n';
    out.highbyte = nexthigh_ < textend;
    out.number = ++count_;
    // Physical lines are the lines read less the pieces that ended none,
    // which are rare. A CR LF folded above is one column short of the
    // file, but it ends the physical line, so the next one starts at
    // column 1 all the same.
    out.physical = count_ - unended_;
    out.column = column_;
    out.position = base_ + start;
    column_ = 1;
    if (!out.endsline) {
        ++unended_;
        column_ = out.column + static_cast<long long>(out.size);
    }
    if (out.highbyte && notes_ != nullptr) {
        notes_->note(count_, out.position);
    }
    return true;
}
