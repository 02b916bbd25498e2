// What the output formats take for a character: a well-formed UTF-8
// sequence, or one byte that is none.

#include <gtest/gtest.h>

#include "text/utf8.h"

TEST(Utf8, CharactersAndReplacements) {
    const struct {
        std::string text;
        long long characters;
        std::string valid;
    } cases[] = {
        {"plain", 5, "plain"},
        {"caf\xC3\xA9", 4, "caf\xC3\xA9"},
        {"caf\xE9!", 5, "caf\xEF\xBF\xBD!"},                      // Latin-1
        {"\xC3", 1, "\xEF\xBF\xBD"},                              // cut short
        {"\xC0\xAF", 2, "\xEF\xBF\xBD\xEF\xBF\xBD"},              // overlong
        {"\xED\xA0\x80", 3, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"\xF4\x90\x80\x80", 4, std::string(12, 'x')},            // past U+10FFFF
        {"\xF0\x9F\x98\x80", 1, "\xF0\x9F\x98\x80"},
        {std::string("a\0b", 3), 3, std::string("a\0b", 3)},
        {"\x80\xBF", 2, "\xEF\xBF\xBD\xEF\xBF\xBD"},              // continuations alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(codepoints(c.text), c.characters);
        std::string expected = c.valid;
        if (expected == std::string(12, 'x')) {
            expected.clear();
            for (int i = 0; i < 4; ++i) expected += "\xEF\xBF\xBD";
        }
        EXPECT_EQ(validutf8(c.text), expected);
    }
}
