#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the output formats meet it: cheat files are bytes, and a byte
// that is not part of a well-formed sequence (RFC 3629: no overlong forms,
// no surrogates, nothing past U+10FFFF) stands for one character.

// The length of the well-formed sequence that starts `text`, or 0.
std::size_t utf8sequence(std::string_view text);

// How many characters `text` holds: each sequence one, each other byte one.
long long codepoints(std::string_view text);

// `text` with each byte outside a sequence made U+FFFD.
std::string validutf8(std::string_view text);
