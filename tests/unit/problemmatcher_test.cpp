// The GitHub problem matcher shipped for --diagnostics, applied to lines the
// tool writes.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

// The matcher's expression, its JSON escapes undone.
std::regex matcherexpression() {
    std::ifstream in(MATCHER_PATH);
    std::stringstream content;
    content << in.rdbuf();
    std::string json = content.str();
    std::size_t start = json.find("\"regexp\": \"") + 11;
    std::string expression;
    for (std::size_t i = start; json[i] != '"'; ++i) {
        if (json[i] == '\\') ++i;
        expression += json[i];
    }
    return std::regex(expression);
}

TEST(ProblemMatcher, TakesFileLineColumnSeverityMessageAndCheck) {
    const std::regex matcher = matcherexpression();
    const struct {
        const char* line;
        const char* file;  // null when the line must not match
        const char* number;
        const char* column;
        const char* check;
    } cases[] = {
        {"cheat.dat:3:2: error: shortname 'x' is not in the emulator's game list [unlisted-shortname]", "cheat.dat",
         "3", "2", "unlisted-shortname"},
        // Windows ends lines in CR LF.
        {"cheat.dat:9:1: warning: possible illegal zero address or mask [zero-value]\r", "cheat.dat", "9", "1",
         "zero-value"},
        {"C:\\cheats\\cheat.dat:12:40: error: extended field '0000FFFF' is a suspect mask [suspect-mask]",
         "C:\\cheats\\cheat.dat", "12", "40", "suspect-mask"},
        // A title that looks like a place cannot move the file's name.
        {"cheat.dat:12:1: error: title 'A:7:3: warning: B' differs from the emulator's title 'C' of 'c' "
         "[title-mismatch]",
         "cheat.dat", "12", "1", "title-mismatch"},
        {"cheat.dat:3:2: note: the emulator lists 'Baraduke' as 'baraduke' [unlisted-shortname]", nullptr, nullptr, nullptr, nullptr},
        {"cheat.dat: note: 4 listed games have no cheat entries; cheatscanresults.txt lists them [no-cheat-entries]",
         nullptr, nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::smatch parts;
        std::string line = c.line;
        bool matched = std::regex_match(line, parts, matcher);
        ASSERT_EQ(matched, c.file != nullptr);
        if (!matched) continue;
        EXPECT_EQ(parts[1], c.file);
        EXPECT_EQ(parts[2], c.number);
        EXPECT_EQ(parts[3], c.column);
        EXPECT_EQ(parts[6], c.check);
    }
}

}  // namespace
