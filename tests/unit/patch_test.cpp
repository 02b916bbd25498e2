#include "report/patch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "checks/crosscheck.h"
#include "checks/fieldcheck.h"
#include "gamelist/readgamelist.h"
#include "gamelist/titleindex.h"
#include "memoryfile.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::unique_ptr<gamelist> listof(const std::string& listfull) {
    auto list = std::make_unique<gamelist>();
    std::FILE* file = filewith(listfull);
    readgamelist(file, *list, false);
    std::fclose(file);
    return list;
}

// What writefixed makes of `content`.
std::string fixedfile(patch& fixes, const std::string& content, bool* read = nullptr) {
    std::FILE* cheats = filewith(content);
    std::FILE* fixed = scratchfile();
    {
        reportwriter out(fixed);
        bool done = fixes.writefixed(cheats, out);
        if (read != nullptr) *read = done;
    }
    std::string result = contentof(fixed);
    std::fclose(cheats);
    std::fclose(fixed);
    return result;
}

std::string diffof(patch& fixes, const std::string& content) {
    std::FILE* cheats = filewith(content);
    std::FILE* diff = scratchfile();
    {
        reportwriter out(diff);
        EXPECT_TRUE(fixes.write(cheats, "cheat.dat", out));
    }
    std::string result = contentof(diff);
    std::fclose(cheats);
    std::fclose(diff);
    return result;
}

// `content` with the diff of `fixes` applied by patch -p1, as a user
// applies it.
std::string patched(patch& fixes, const std::string& content) {
    static int made = 0;
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::path folder = fs::path(::testing::TempDir()) / ("vettle-patched-" + test + "-" + std::to_string(++made));
    fs::create_directories(folder);
    writeall(folder / "cheat.dat", content);
    writeall(folder / "fixes.diff", diffof(fixes, content));
    std::string command = "patch -s -p1 -d '" + folder.string() + "' -i '" + (folder / "fixes.diff").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::string result = readall(folder / "cheat.dat");
    fs::remove_all(folder);
    return result;
}

const char* const games =
    "Name:     Description:\n"
    "puckman   \"Puck Man (Japan set 1)\"\n"
    "qbert     \"Q*bert\"\n";

// Every byte outside the fixed spans stays as it is, and the diff applied
// gives the same bytes.
TEST(FixedFile, ChangesTheFixedSpansAloneAsTheDiffDoes) {
    std::unique_ptr<gamelist> list = listof(games);
    list->games[0].hascheats = true;  // puckman: its title never matched
    list->games[1].hascheats = true;  // qbert: it did
    list->games[1].titlematches = true;
    const std::string far(70000, 'x');  // longer than the blocks a file is read in
    const std::string lower = "\n:qbert:0000000a:1234:00000001:FFFFFFFF:x\n";
    const std::string upper = "\n:qbert:0000000A:1234:00000001:FFFFFFFF:x\n";
    const struct {
        const char* name;
        std::string content;
        std::vector<fix> fixes;  // in the order the passes tell them
        std::string expected;
        bool read = true;
    } cases[] = {
        {"CR LF, a NUL, a last line without its end",
         "; [ Old Title ]\r\n:oldnm:0000000a:00ff:00000001:FFFFFFFF:x\r\nx\0y\r\n"
         ":qbert:0000000b:1234:00000001:FFFFFFFF:x\0"s,
         {{checkid::titlemismatch, 1, 4, 9, "Puck Man (Japan set 1)", false, 0},
          {checkid::unlistedshortname, 2, 1, 5, "puckman", false, -1},
          {checkid::fieldformat, 2, 7, 8, {}, true, -1},
          {checkid::fieldformat, 2, 16, 4, {}, true, -1},
          {checkid::fieldformat, 4, 7, 8, {}, true, -1}},
         "; [ Puck Man (Japan set 1) ]\r\n:puckman:0000000A:00FF:00000001:FFFFFFFF:x\r\nx\0y\r\n"
         ":qbert:0000000B:1234:00000001:FFFFFFFF:x\0"s},
        {"a title whose game matched is not fixed",
         "; [ Qbert ]\n:qbert:0000000a:1234:00000001:FFFFFFFF:x\n",
         {{checkid::titlemismatch, 1, 4, 5, "Q*bert", false, 1}, {checkid::fieldformat, 2, 7, 8, {}, true, -1}},
         "; [ Qbert ]\n:qbert:0000000A:1234:00000001:FFFFFFFF:x\n"},
        {"long lines around and between",
         far + lower + far + lower + far,
         {{checkid::fieldformat, 2, 7, 8, {}, true, -1}, {checkid::fieldformat, 4, 7, 8, {}, true, -1}},
         far + upper + far + upper + far},
        {"a change past its line's end is not made",
         "; [ Qbert ]\n:qbert:0000000a\n",
         {{checkid::fieldformat, 2, 7, 10, {}, true, -1}},
         "; [ Qbert ]\n:qbert:0000000a\n"},
        {"nothing to fix", "; [ Qbert ]\r\n\r\nlast", {}, "; [ Qbert ]\r\n\r\nlast"},
        {"fewer lines than its fixes", "; [ Qbert ]\n", {{checkid::fieldformat, 2, 7, 8, {}, true, -1}},
         "; [ Qbert ]\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        patch fixes(*list);
        for (const fix& change : c.fixes) fixes.add(change);
        bool read = false;
        std::string fixed = fixedfile(fixes, c.content, &read);
        EXPECT_EQ(read, c.read);
        if (!c.read) continue;
        EXPECT_EQ(fixed, c.expected);
        if (c.fixes.empty()) {
            EXPECT_EQ(diffof(fixes, c.content), "");
        } else if (!UNIT_CMD) {  // patch is not at hand under wine
            EXPECT_EQ(patched(fixes, c.content), c.expected);
        }
    }
}

// The findings of the checks that have fixes, keyed as the fixes are.
class recorder final : public findingsink {
public:
    explicit recorder(patch* fixes) : fixes_(fixes) {}

    void found(const finding& what) override {
        if (what.check != checkid::unlistedshortname && what.check != checkid::fieldformat &&
            what.check != checkid::titlemismatch) {
            return;
        }
        findings.push_back({what.check, what.at != nullptr ? what.at->physical : 0, what.offset, what.game});
    }
    void fixable(const fix& change) override {
        if (fixes_ != nullptr) fixes_->add(change);
    }

    struct key {
        checkid check;
        long long physical;
        std::size_t offset;
        int game;
    };
    std::vector<key> findings;

private:
    patch* fixes_;
};

void check(const std::string& content, gamelist& list, recorder& out, bool fixes) {
    titleindex titles(list);
    std::FILE* cheats = filewith(content);
    {
        linereader reader(cheats);
        runcrosscheck(reader, list, out, &titles, fixes);
    }
    std::rewind(cheats);
    {
        linereader reader(cheats);
        runfieldcheck(reader, out, fixes);
    }
    std::fclose(cheats);
}

std::map<checkid, long long> countsof(const std::vector<recorder::key>& findings) {
    std::map<checkid, long long> counts;
    for (const recorder::key& f : findings) ++counts[f.check];
    return counts;
}

// The findings a fix is said to remove are those the fixed file no longer
// has, check by check, on the cases the diff is tried on end to end.
TEST(FixedFile, FindingsSaidFixedAreThoseTheFixedFileLacks) {
    const struct {
        const char* name;
        bool everykind;  // it has fixes of every kind
    } cases[] = {{"diff-fixes", true}, {"every-finding", false}};
    for (const auto& [name, everykind] : cases) {
        SCOPED_TRACE(name);
        fs::path folder = fs::path(E2E_CASES) / name;
        std::string content = readall(folder / "cheat.dat");
        std::string listfull = readall(folder / "listfull.txt");

        std::unique_ptr<gamelist> list = listof(listfull);
        patch fixes(*list);
        recorder before(&fixes);
        check(content, *list, before, true);
        std::map<checkid, long long> fixable;
        for (const recorder::key& f : before.findings) {
            if (fixes.fixes(f.check, f.physical, f.offset, f.game)) ++fixable[f.check];
        }
        EXPECT_GT(fixes.changecount(), 0);
        std::string fixed = fixedfile(fixes, content);
        if (!UNIT_CMD) {
            EXPECT_EQ(patched(fixes, content), fixed);
        }

        std::unique_ptr<gamelist> again = listof(listfull);
        recorder after(nullptr);
        check(fixed, *again, after, false);
        std::map<checkid, long long> left = countsof(after.findings);
        for (const auto& [id, count] : countsof(before.findings)) {
            SCOPED_TRACE(std::string(infoof(id).name));
            if (everykind) {
                EXPECT_GT(fixable[id], 0);
            }
            EXPECT_EQ(count - fixable[id], left[id]);
        }
    }
}

}  // namespace
