#pragma once

#include <cstddef>
#include <string_view>

// How a title line is written: it begins "; [", and its usual form is
// "; [ TITLE ]", which is the one a fix may rewrite.
constexpr std::string_view titleopening = "; [";
constexpr std::string_view usualopening = "; [ ";
constexpr std::string_view usualclosing = " ]";

inline bool istitleline(std::string_view text) { return text.substr(0, titleopening.size()) == titleopening; }

// The place of TITLE in a line of the usual form (`content` without its
// line end), or false: "; [ " and " ]", the title between them maybe empty.
inline bool findusualtitle(std::string_view content, std::size_t& offset, std::size_t& length) {
    std::size_t frame = usualopening.size() + usualclosing.size();
    if (content.size() < frame || content.substr(0, usualopening.size()) != usualopening ||
        content.substr(content.size() - usualclosing.size()) != usualclosing) {
        return false;
    }
    offset = usualopening.size();
    length = content.size() - frame;
    return true;
}
