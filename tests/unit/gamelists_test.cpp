// The game-list readers through readgamelist, as a run reads a list.

#include "gamelist/readgamelist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "memoryfile.h"
#include "text/line.h"
#include "text/token.h"

namespace {

using games = std::vector<std::pair<std::string, std::string>>;  // shortname, title, in the table's order

games readlist(const std::string& content, bool recognise, listproblem* problem = nullptr) {
    static gamelist list;
    std::FILE* file = filewith(content);
    listreading reading = readgamelist(file, list, recognise);
    std::fclose(file);
    if (problem != nullptr) *problem = reading.problem;
    games result;
    for (int i = 0; i < list.count; ++i) result.emplace_back(list.games[i].shortname, list.games[i].title);
    return result;
}

const std::string header = "Name:             Description:\n";

// A later piece of a long -listfull line is a line of its own, cut into
// the three tokens whatever its first one is; only a line's first piece
// takes a long name's title from the quotes after it. The emulator's list
// and one named with --game-list read alike.
TEST(ListfullPieces, LaterPiecesAreLinesOfTheirOwn) {
    const std::string blanks(600, ' '), piece(linecapacity, ' ');
    const struct {
        std::string lines;
        games expected;  // besides zaxxon
    } cases[] = {
        {"abc" + blanks + "\"Pac Man\"\r\n", {{"\"Pac", "\n"}}},
        {piece + "tencharsxx\"Ten\"\n", {}},
        {piece + "sixteencharsname \"One\"\n", {{"sixteencharsname", "\n"}}},
        {"tencharsxx\"Ten\"" + blanks + "x  \"X\"\n", {{"tencharsxx", "Ten"}, {"x", "X"}}},
    };
    for (const auto& c : cases) {
        games expected = c.expected;
        expected.emplace_back("zaxxon", "Z");
        std::sort(expected.begin(), expected.end());
        for (bool named : {false, true}) {
            EXPECT_EQ(readlist(header + c.lines + "zaxxon  \"Z\"\n", named), expected) << c.lines << named;
        }
    }
}

// The emulator's reader, plainly: the pieces the line reader cuts, the
// first the header, each other one a game when its three tokens are there.
// Every line below starts with a name of at most eight letters, so a
// line's first piece reads the same by either rule.
games classicreading(const std::string& content) {
    games list;
    std::FILE* file = filewith(content);
    linereader reader(file);
    line current;
    for (bool first = true; reader.next(current); first = false) {
        std::string_view rest = current.text, shortname, blanks, title;
        if (!first && nexttoken(rest, ' ', shortname) && nexttoken(rest, '"', blanks) && nexttoken(rest, '"', title)) {
            list.emplace_back(shortname, title.substr(0, titlecapacity));
        }
    }
    std::fclose(file);
    std::sort(list.begin(), list.end());
    return list;
}

TEST(ListfullPieces, EveryPieceReadsAsTheEmulatorsReaderReadsIt) {
    static const char* const parts[] = {" ", "  ", "\"", "\"Title\"", "x", "longername", "\t", "\"a b\" "};
    std::uint32_t state = 1;
    auto below = [&state](std::uint32_t n) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % n;
    };
    for (int list = 0; list < 30; ++list) {
        std::string text = header;
        for (int lines = 0; lines < 400; ++lines) {
            std::string line = std::string(1 + below(8), static_cast<char>('a' + below(26))) + " ";
            for (std::size_t length = below(4) == 0 ? below(40) : 400 + below(1200); line.size() < length;) {
                line += below(20) == 0 ? std::string(below(300), ' ') : parts[below(8)];
            }
            text += line + (below(5) == 0 ? "\r\n" : "\n");
        }
        games expected = classicreading(text);
        ASSERT_GT(expected.size(), 200u);
        EXPECT_EQ(readlist(text, false), expected) << list;
        EXPECT_EQ(readlist(text, true), expected) << list;
    }
}

// In a ClrMamePro string a \x needs two hex digits, as writers of such
// escapes give; without them (a Windows path, say) it stands as it is.
TEST(ClrMameProStrings, AHexEscapeNeedsTwoDigits) {
    const struct {
        const char* string;
        const char* title;  // or the problem
    } cases[] = {
        {R"("Dir C:\xmame\roms")", "Dir C:\\xmame oms"},
        {R"("\x41\x4a2")", "AJ2"},
        {R"("\x4g\x4\x41")", "\\x4g\\x4A"},
        {R"("\x")", "\\x"},
        {R"("a\x\"b")", "a\\x\"b"},
        {R"("\x00")", "a NUL byte, which no game list holds"},
        {R"("\x4)", "a string that is never closed"},
    };
    for (const auto& c : cases) {
        listproblem problem;
        games got = readlist(std::string("game ( name a description ") + c.string + " )\n", true, &problem);
        EXPECT_EQ(problem.found ? problem.reason : got.at(0).second, c.title) << c.string;
    }
}

struct limitcase {
    std::string what;
    std::string list;
    const char* problem;  // or none
    long long line, column;
};

// Each kind of markup at 1 MB and a byte more, on line 3 after `lead`
// blanks and followed by more than a block, and a byte over 1 MB of it
// left unended at the end of the file.
void addmarkup(std::vector<limitcase>& cases, const std::string& declaration, std::size_t lead) {
    const std::size_t megabyte = 1 << 20;
    const struct {
        const char* kind;
        std::string before, open, close;
        char fill;
        std::string after;
    } kinds[] = {
        {"comment", "", "<!--", "-->", 'a', ""},
        {"instruction", "", "<?p ", "?>", 'a', ""},
        {"start tag", "", "<machine name=\"b\" x=\"", "\">", 'a', "</machine>"},
        {"end tag", "<machine name=\"b\">", "</machine", ">", ' ', ""},
    };
    const char* toolong = "a tag or other markup longer than 1 MB";
    for (const auto& k : kinds) {
        std::string what = k.kind + (", " + std::to_string(lead) + " blanks before");
        if (!declaration.empty()) what += ", Latin-1";
        std::string start = declaration + "<mame>\n<machine name=\"a\"/>\n" + std::string(lead, ' ') + k.before;
        auto column = static_cast<long long>(lead + k.before.size() + 1);
        std::size_t filled = megabyte - k.open.size() - k.close.size();
        cases.push_back({what + ", 1 MB",
                         start + k.open + std::string(filled, k.fill) + k.close + k.after + "\n</mame>\n" +
                             std::string(70000, '\n'),
                         nullptr, 0, 0});
        cases.push_back({what + ", a byte over",
                         start + k.open + std::string(filled + 1, k.fill) + k.close + k.after + "\n</mame>\n" +
                             std::string(70000, '\n'),
                         toolong, 3, column});
        cases.push_back({what + ", unended", start + k.open + std::string(filled + k.close.size() + 1, k.fill), toolong,
                         3, column});
    }
}

// Each limit holds to the byte: markup wherever it falls among the blocks
// expat is given, whether it ends in the block that takes it past 1 MB or
// never, and in an encoding expat converts; shortnames; declarations.
TEST(ListLimits, EachHoldsToTheByte) {
    auto declarations = [](int count) {
        std::string text = "<!DOCTYPE mame [\n";
        for (int i = 0; i < count; ++i) text += "<!ATTLIST machine a" + std::to_string(i) + " CDATA \"x\">\n";
        return text + "]>\n<mame><machine name=\"a\"/></mame>";
    };
    std::vector<limitcase> cases = {
        {"64-byte name", "<mame><machine name=\"" + std::string(64, 'n') + "\"/></mame>", nullptr, 0, 0},
        {"65-byte name", "<mame><machine name=\"" + std::string(65, 'n') + "\"/></mame>",
         "a shortname longer than 64 bytes", 1, 7},
        {"64 declarations", declarations(64), nullptr, 0, 0},
        {"65 declarations", declarations(65), "more than 64 attributes declared for element 'machine'", 66, 29},
    };
    for (const char* declaration : {"", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"}) {
        for (std::size_t lead : {0, 1, 65509, 65510}) addmarkup(cases, declaration, lead);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        listproblem problem;
        readlist(c.list, true, &problem);
        EXPECT_STREQ(problem.reason, c.problem != nullptr ? c.problem : "");
        EXPECT_EQ(problem.line, c.line);
        EXPECT_EQ(problem.column, c.column);
    }
}

}  // namespace
