#include "text/shorttext.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

// Texts of every length up to past the word-sized ways, each in a heap
// block of exactly its size (so that a read past either end is caught by
// the sanitizer build): equal texts compare equal, a text that differs in
// any one byte does not, and a copy holds the same bytes and nothing more.
TEST(ShortText, ComparesAndCopiesEveryLengthWithinItsBytes) {
    for (std::size_t n = 0; n <= 40; ++n) {
        std::unique_ptr<char[]> a(new char[n + (n == 0)]), b(new char[n + (n == 0)]);
        for (std::size_t i = 0; i < n; ++i) a[i] = b[i] = static_cast<char>('a' + i % 26);
        std::string_view x(a.get(), n), y(b.get(), n);
        EXPECT_TRUE(sametext(x, y)) << n;
        for (std::size_t i = 0; i < n; ++i) {
            b[i] = '\0';
            EXPECT_FALSE(sametext(x, y)) << n << " at " << i;
            b[i] = a[i];
        }
        if (n > 0) {
            EXPECT_FALSE(sametext(x, y.substr(0, n - 1))) << n;
        }

        std::string room(n + 8, '#');
        char* end = copyshort(&room[4], x);
        EXPECT_EQ(end, &room[4] + n);
        EXPECT_EQ(room, "####" + std::string(x) + "####") << n;
    }
    EXPECT_TRUE(sametext({}, std::string_view("", 0)));
}
