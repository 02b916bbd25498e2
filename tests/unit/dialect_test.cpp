// The dialects' rules, each a table of small files with the lines its
// loader loses; and the real files where they are at hand.

#include "checks/dialect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "checks/crosscheck.h"
#include "checks/fieldcheck.h"
#include "checks/messages.h"
#include "gamelist/readgamelist.h"
#include "memoryfile.h"

namespace {

// Every finding of the first and third passes of a check that is on by
// default in the dialect, as "check:line".
class collected final : public findingsink {
public:
    explicit collected(const dialect& rules) : rules_(rules) {}
    void found(const finding& what) override {
        if (!rules_.usual(what.check)) return;
        long long at = what.at != nullptr ? what.at->physical : 0;
        all.push_back(std::string(infoof(what.check).name) + ":" + std::to_string(at));
        messages.push_back(messageof(what, true));
    }
    std::vector<std::string> all;
    std::vector<std::string> messages;
    const dialect& rules_;

    // Those of one check, by line.
    std::vector<long long> linesof(checkid check) const {
        std::vector<long long> lines;
        std::string name = std::string(infoof(check).name) + ":";
        for (const std::string& entry : all) {
            if (entry.rfind(name, 0) == 0) lines.push_back(std::stoll(entry.substr(name.size())));
        }
        return lines;
    }
};

const char* const games = "Name:     Description:\npacman    \"Pac-Man\"\ngalaga    \"Galaga\"\n1942      \"1942\"\n";

// Both passes over `cheats`, as `rules` reads them.
collected check(const std::string& cheats, const dialect& rules, const std::string& list = games) {
    gamelist games;
    std::FILE* listfile = filewith(list);
    readgamelist(listfile, games, true);
    std::fclose(listfile);
    collected out(rules);
    std::FILE* file = filewith(cheats);
    {
        linereader reader(file);
        runcrosscheck(reader, games, out, nullptr, false, rules);
    }
    std::rewind(file);
    {
        linereader reader(file);
        runfieldcheck(reader, out, false, rules, file);
    }
    std::fclose(file);
    return out;
}

std::string cheat(const std::string& name, const std::string& type = "00000000", const std::string& description = "x") {
    return ":" + name + ":" + type + ":4E14:00000003:000000FF:" + description + "\n";
}

struct ruletable {
    const char* name;
    std::string cheats;
    std::vector<long long> lost;  // the lines the check finds
};

void expectlines(const dialect& rules, checkid which, const std::vector<ruletable>& cases) {
    for (const ruletable& test : cases) {
        SCOPED_TRACE(test.name);
        collected found = check(test.cheats, rules);
        EXPECT_EQ(found.linesof(which), test.lost) << ::testing::PrintToString(found.all);
    }
}

TEST(Dialects, AreFoundByNameAndTurnTheTitleChecksOff) {
    EXPECT_EQ(dialectnames(), (std::vector<std::string_view>{"classic", "fbneo", "mame2003-plus"}));
    for (std::string_view name : dialectnames()) EXPECT_EQ(finddialect(name)->name(), name);
    EXPECT_EQ(finddialect("fbneo "), nullptr);
    EXPECT_TRUE(classicdialect().plain());
    for (const checkinfo& check : checktable) {
        SCOPED_TRACE(std::string(check.name));
        EXPECT_EQ(classicdialect().usual(check.id), check.usual);
        bool titles = check.id == checkid::titlemismatch || check.id == checkid::nocheatentries;
        EXPECT_EQ(fbneodialect().usual(check.id), check.usual && !titles);
        EXPECT_EQ(mame2003plusdialect().usual(check.id), check.usual && !titles);
    }
}

// The classic rules as the dialect face has them give what the plain pass
// gives, finding for finding.
struct throughface final : dialect {
    std::string_view name() const override { return "classic"; }
    linekind classify(const line& current) const override { return classicdialect().classify(current); }
    std::unique_ptr<linecheck> thirdpass(std::FILE* file, findingsink& out, bool fixes) const override {
        return classicdialect().thirdpass(file, out, fixes);
    }
};

TEST(Dialects, TheClassicFaceGivesThePlainPass) {
    std::ifstream every(std::string(E2E_CASES) + "/every-finding/cheat.dat", std::ios::binary);
    std::stringstream text;
    text << every.rdbuf();
    ASSERT_FALSE(text.str().empty());
    const throughface face;
    for (const std::string& cheats :
         {text.str(), "; [ Pac-Man ]\n" + cheat("pacman") + cheat("galaga", "0000000a") + "##E\n" + cheat("pacmna")}) {
        collected plain = check(cheats, classicdialect());
        collected faced = check(cheats, face);
        EXPECT_FALSE(plain.all.empty());
        EXPECT_EQ(faced.all, plain.all);
        EXPECT_EQ(faced.messages, plain.messages);
    }
}

TEST(FbneoDialect, UnloadedAndDuplicateCheats) {
    std::string a = cheat("pacman", "00000000", "a"), b = cheat("pacman", "00000000", "b");
    std::string longline = cheat("pacman", "00000000", std::string(1000, 'd'));  // 1,041 bytes
    std::string edge = ":pacman:00000000:4E14:00000003:000000FF:";
    std::string exact = edge + std::string(1023 - edge.size(), 'd');  // a read of 1,023 bytes, then the line feed
    std::string longa = cheat("pacman", "00000000", "Infinite lives for both players");
    std::string longb = longa;
    longb[20] = '5';  // the address: 4E15
    std::string longrun;  // a run long enough to be searched in order
    for (int i = 0; i < 40; ++i) longrun += cheat("pacman", "00000000", std::to_string(i));
    expectlines(fbneodialect(), checkid::unloadedcheat, {
        {"a blank line ends the run", a + "\n" + b, {3}},
        {"another game's line ends it", a + cheat("galaga") + b, {3}},
        {"';' lines and titles are skipped", a + "; note\n; [ Pac-Man ]\n" + b, {}},
        {"a '//' comment ends it", a + "// note\n" + b, {3}},
        {"a '#' comment ends it", a + "# note\n" + b, {3}},
        {"so does the end marker, which ends no check", a + "##E\n" + b, {3}},
        {"a header ends it", a + ": [ pacman ]\n" + b, {3}},
        {"an old-layout line ends it", a + "pacman:0:4E14:03:000:x\n" + b, {3}},
        {"every line after is lost", a + "\n" + b + cheat("pacman", "00000000", "c"), {3, 4}},
        {"a game's first line starts its run anywhere", cheat("galaga") + "\n" + a + b, {}},
        {"a '----:REASON' line ends it, on purpose", ":pacman:----:REASON:bad dump\n" + a, {}},
        {"lines after it are never told", a + ":pacman:----:REASON:not working\n" + b + "\n" + b, {}},
        {"the rest of a line past its 1,023-byte read", longline + b, {2}},
        {"a read of 1,022 bytes and its line feed", edge + std::string(1022 - edge.size(), 'd') + "\n" + b, {}},
        {"a read of 1,023 bytes leaves the line feed", exact + "\n" + b, {2}},
        {"a read of 1,022 bytes and a CR LF", edge + std::string(1022 - edge.size(), 'd') + "\r\n" + b, {2}},
        {"every read past a cut counts", exact + ";" + std::string(1022, 'd') + "x\n" + b, {2}},
        {"a NUL before a cut hides nothing past it", exact.substr(0, 1022) + std::string(1, '\0') + ";x\n" + b, {}},
        {"a read past a cut that starts with ';' is skipped", exact + ";" + std::string(1021, 'd') + "\n" + b, {}},
        {"one that starts with the game's name is its line", exact + cheat("pacman") + b, {}},
        {"one that starts with another game's name ends it", exact + cheat("galaga") + b, {2}},
        {"a lost '----:REASON' line still says no cheats", a + "\n" + b + ":pacman:----:REASON\n" + b, {3}},
    });
    expectlines(fbneodialect(), checkid::duplicatecheat, {
        {"a repeat of a line read", a + b + "\n" + b + a, {4, 5}},
        {"a repeat of another game's line is lost", a + cheat("galaga", "00000000", "b") + "\n" + b, {}},
        {"a line differing in one byte", a + "\n" + cheat("pacman", "00000000", "A"), {}},
        {"in a byte its fingerprint passes over", longa + "\n" + longb, {}},
        {"the same with CR LF", longa + "\r\n" + longa.substr(0, longa.size() - 1) + "\r\n", {3}},
        {"a long run", longrun + "\n" + cheat("pacman", "00000000", "5") + cheat("pacman", "00000000", "39") + b,
         {42, 43}},
    });
    collected found = check(a + "\n" + b, fbneodialect());
    ASSERT_EQ(found.messages.size(), 1u);
    EXPECT_EQ(found.messages[0], "FinalBurn Neo never reads this line: its reading of 'pacman' ended earlier, at a blank "
                                 "line (line 2)");
}

TEST(FbneoDialect, LinksSeparatorsAndDescriptions) {
    std::string plain = cheat("pacman");
    expectlines(fbneodialect(), checkid::linkwithoutcheat, {
        {"a link first", cheat("pacman", "00008000"), {1}},
        {"a link of the other bit", cheat("pacman", "00010000"), {1}},
        {"a link after a cheat", plain + cheat("pacman", "00008000"), {}},
        {"a skipped line makes no cheat", cheat("pacman", "00004800") + cheat("pacman", "00018000"), {2}},
        {"each run on its own", plain + cheat("galaga", "00008000"), {2}},
        {"lower-case digits are read", cheat("pacman", "0000800a"), {1}},
        {"a lost line links nothing", plain + "\n" + cheat("pacman", "00008000"), {}},
    });
    std::string nodescription = ":pacman:00000000:4E14:00000003:000000FF";
    expectlines(fbneodialect(), checkid::unsafeline, {
        {"no description", nodescription + "\n", {1}},
        {"no description, CR LF", nodescription + "\r\n", {}},
        {"an empty description", nodescription + ":\n", {}},
        {"sixteen separators", nodescription + ":a:b:c:d:e:f:g:h:i:j\n", {}},
        {"seventeen", nodescription + ":a:b:c:d:e:f:g:h:i:j:k\n", {1}},
        {"a lone CR counts", nodescription + ":a:b:c:d:e:f:g:h:i\r\r\n", {1}},
        {"a field of 255 bytes", cheat("pacman", "00000000", std::string(255, 'd')), {}},
        {"a field of 256 bytes", cheat("pacman", "00000000", std::string(256, 'd')), {1}},
        {"a field over two pieces", cheat("pacman", "00000000", std::string(700, 'd')), {1}},
        {"a lost line is never read", plain + "\n" + nodescription + "\n", {}},
    });
    expectlines(fbneodialect(), checkid::longdescription, {
        {"127 characters", cheat("pacman", "00000000", std::string(127, 'd')), {}},
        {"128", cheat("pacman", "00000000", std::string(128, 'd')), {1}},
        {"a comment after it counts for nothing", cheat("pacman", "00000000", "d:" + std::string(200, 'c')), {}},
    });
}

TEST(FbneoDialect, FieldsShortnamesAndLeaders) {
    const std::string zero = ":pacman:00000000:0000:00000003:000000FF:x\n";
    const struct {
        const char* name;
        std::string cheats;
        std::vector<std::string> findings;
    } cases[] = {
        {"lower case is read", cheat("pacman", "0000000a"), {}},
        {"another game's line is no mismatch", "; [ Pac-Man ]\n" + cheat("pacman") + cheat("galaga"), {}},
        {"headers and comments find nothing", ": [ pacman ]\n// c\n# c\n## c\n; c\n", {}},
        {"the classic field rules stay", cheat("pacman", "0000000G"), {"field-format:1"}},
        {"a leader is dropped for a list without them", ":nes_1942:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n", {}},
        {"a RAM code in lower case", ":fds_1942:00000000:szxlkevk:00000000:FFFFFFFF:x\n", {}},
        {"a code of 7 letters", ":nes_1942:00000000:SZXLKEV:00000000:FFFFFFFF:x\n", {"field-format:1"}},
        {"a code of mixed case", ":nes_1942:00000000:SzXLKE:00000000:FFFFFFFF:x\n", {"field-format:1"}},
        {"a hex address is no code", ":nes_1942:00000000:0D01:00000000:FFFFFFFF:x\n", {"field-format:1"}},
        {"a SNES Game Genie code", ":snes_1942:00000000:DD6F-3D0F:00000000:FFFFFFFF:x\n", {}},
        {"a Pro Action Replay code", ":snes_1942:00000000:7E0DBF09:00000000:FFFFFFFF:x\n", {}},
        {"neither", ":snes_1942:00000000:DD6F3-D0F:00000000:FFFFFFFF:x\n", {"field-format:1"}},
        {"no leader, no game", ":nes_1943:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n", {"unlisted-shortname:1"}},
        {"a later line of a run, after a ';' line, keeps them",
         cheat("pacman") + "; note\n" + cheat("pacman", "0000000G"), {"field-format:3"}},
        {"a line never read has that finding alone", cheat("pacman") + "\n" + cheat("pacman", "0000000G"),
         {"unloaded-cheat:3"}},
        {"so has a repeat", zero + "\n" + zero, {"zero-value:1", "duplicate-cheat:3"}},
        {"and a code never read", ":nes_1942:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n\n:nes_1942:0:SZXL:0:0:y\n",
         {"unloaded-cheat:3"}},
        {"a line that names no game keeps the field rules",
         cheat("pacman") + "::pacman:0000000G:4E14:00000003:000000FF:z\n", {"field-format:2"}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(check(test.cheats, fbneodialect()).all, test.findings);
    }
    // A list of FinalBurn Neo's own names is taken as it stands.
    std::string ownnames = std::string(games) + "nes_smb   \"Super Mario Bros.\"\n";
    EXPECT_EQ(check(":nes_1942:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n", fbneodialect(), ownnames).all,
              std::vector<std::string>{"unlisted-shortname:1"});
    collected code = check(":nes_1942:00000000:SZXLKEV:00000000:FFFFFFFF:x\n", fbneodialect());
    ASSERT_EQ(code.messages.size(), 1u);
    EXPECT_EQ(code.messages[0], "address field 'SZXLKEV' has 7 letters, not 6 or 8");
}

TEST(Mame2003PlusDialect, BothLayouts) {
    const std::string block = "; [ Pac-Man ]\n";  // each case a block of its own, from line 2
    const struct {
        const char* name;
        std::string cheats;
        std::vector<std::string> findings;
    } cases[] = {
        {"an old-layout line", "pacman:0:4E14:03:000:Lives\n", {}},
        {"lower case is read", "pacman:0:4e14:0a:000:Lives\n" + cheat("pacman", "0000000a"), {}},
        {"an old-layout line is cross-checked", "pacmna:0:4E14:03:000:Lives\n", {"unlisted-shortname:2"}},
        {"a type code it does not know", "pacman:0:4E14:03:123:Lives\n", {"field-format:2"}},
        {"a cpu that is no number", "pacman:x:4E14:03:000:Lives\n", {"field-format:2", "ignored-line:2"}},
        {"a data field that is not hexadecimal", "pacman:0:4E14:0G:000:Lives\n",
         {"field-format:2", "ignored-line:2"}},
        {"no heuristics for the old layout", "pacman:0:0000:00:000:Lives\n", {}},
        {"both layouts in one block", "pacman:0:4E14:03:000:a\n" + cheat("pacman") + cheat("galaga"),
         {"shortname-mismatch:4"}},
        {"a command is no game", ":_command:0A\n", {}},
        {"a command's value", ":_command:0X\n", {"field-format:2"}},
        {"the end marker ends nothing", cheat("pacman") + "##E\n" + cheat("pacmna"),
         {"unlisted-shortname:4", "shortname-mismatch:4"}},
        {"a short line is no cheat line", "pacman:0:4E14:03\n", {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(check(block + test.cheats, mame2003plusdialect()).all, test.findings);
    }
}

TEST(Mame2003PlusDialect, IgnoredLinkedAndLongLines) {
    expectlines(mame2003plusdialect(), checkid::ignoredline, {
        {"an upper-case name", "Pacman:0:4E14:03:000:x\n", {1}},
        {"a blank before the name", " pacman:0:4E14:03:000:x\n", {1}},
        {"no description", "pacman:0:4E14:03:000:\n", {1}},
        {"a type of nine digits", cheat("pacman", "000000000"), {1}},
        {"no shortname", ":::00000000:4E14:00000003:000000FF:x\n", {1}},
        {"too few fields to look like a cheat line", ":pacman:00000000:4E14\n: [ Pac-Man ]\n", {}},
        {"an address that is not hexadecimal", ":pacman:00000000:4E1G:00000003:000000FF:x\n", {1}},
        {"a name over 255, said as long text", std::string(256, 'p') + ":0:4E14:03:000:x\n", {}},
        {"fine", "pacman:0:4E14:03:000:x\n" + cheat("pacman", "00000001"), {}},
    });
    expectlines(mame2003plusdialect(), checkid::firstcheatlinked, {
        {"a linked part first", cheat("pacman", "00010000"), {1}},
        {"an old linked code first", "pacman:0:4E14:03:501:x\n", {1}},
        {"remove-from-list lines are left out", cheat("pacman", "00004000") + cheat("pacman", "00010000"), {2}},
        {"an ignored line is never taken", "Pacman:0:4E14:03:000:x\n" + cheat("pacman", "00010000"), {2}},
        {"nor is one of a non-hex address", ":pacman:00000000:4E1G:00000003:000000FF:x\n" + cheat("pacman", "00010000"),
         {2}},
        {"after the cheat it belongs to", cheat("pacman") + cheat("pacman", "00010000"), {}},
        {"once a game", cheat("pacman", "00010000") + "\n" + cheat("pacman", "00010000"), {1}},
        {"each game on its own", cheat("pacman") + cheat("galaga", "00010000"), {2}},
    });
    expectlines(mame2003plusdialect(), checkid::longtext, {
        {"a description of 255", cheat("pacman", "00000000", std::string(255, 'd')), {}},
        {"of 256", cheat("pacman", "00000000", std::string(256, 'd')), {1}},
        {"over two pieces", cheat("pacman", "00000000", std::string(600, 'd')), {1}},
        {"a name of 256", std::string(256, 'p') + ":0:4E14:03:000:x\n", {1}},
        {"a line of 2,047 bytes", cheat("pacman", "00000000", "d:" + std::string(2047 - 42, 'c')), {}},
        {"a line of 2,048", cheat("pacman", "00000000", "d:" + std::string(2048 - 42, 'c')), {1}},
    });
}

// The real files, where a copy of them stands beside the repository.
std::string realfile(const std::string& name) {
    std::ifstream in(std::string(REALCASE_PATH) + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(RealFiles, WhatFinalBurnNeoLosesOfWayderCheat) {
    std::string cheats = realfile("cheatfile-0126-whole/cheat.dat");
    if (cheats.empty()) GTEST_SKIP() << "no real files at " REALCASE_PATH;
    collected found = check(cheats, fbneodialect(), realfile("listfull-0122.txt"));
    // 18 lines of 4 games are never read, each a repeat of a line that is.
    EXPECT_EQ(found.linesof(checkid::unloadedcheat), std::vector<long long>{});
    std::vector<long long> repeats = found.linesof(checkid::duplicatecheat);
    EXPECT_EQ(repeats.size(), 18u);
    for (long long jojo : {35103, 35104, 35105, 35106, 35107}) {
        EXPECT_NE(std::find(repeats.begin(), repeats.end(), jojo), repeats.end()) << jojo;
    }
    EXPECT_EQ(found.linesof(checkid::shortnamemismatch), std::vector<long long>{});
    EXPECT_EQ(found.linesof(checkid::unsafeline), std::vector<long long>{}) << "':' alone at 1100 names no game";
}

TEST(RealFiles, TheNesFileWithAListOfItsNamesWithoutTheLeader) {
    std::string cheats = realfile("fbneo-cheatnes.dat");
    if (cheats.empty()) GTEST_SKIP() << "no real files at " REALCASE_PATH;
    std::string list = "Name:     Description:\n";
    std::istringstream lines(cheats);
    for (std::string text; std::getline(lines, text);) {
        if (text.size() < 2) continue;
        std::string name = text.substr(1, text.find(':', 1) - 1);
        list += name.substr(name.find('_') + 1) + "  \"x\"\n";
    }
    collected found = check(cheats, fbneodialect(), list);
    EXPECT_EQ(found.linesof(checkid::unlistedshortname), std::vector<long long>{});
    EXPECT_EQ(found.linesof(checkid::unloadedcheat), std::vector<long long>{});
    EXPECT_EQ(found.linesof(checkid::fieldformat), (std::vector<long long>{1243, 1246, 8996}));
    EXPECT_EQ(found.linesof(checkid::longdescription).size(), 2u);
    EXPECT_EQ(found.linesof(checkid::unsafeline), std::vector<long long>{}) << "CR LF counted";
}

TEST(RealFiles, MameTwoThousandThreePlusExcerpts) {
    std::string a = realfile("m2003p-excerpt-a.dat"), b = realfile("m2003p-excerpt-b.dat");
    if (a.empty() || b.empty()) GTEST_SKIP() << "no real files at " REALCASE_PATH;
    std::string list = realfile("listfull-0122.txt");
    for (const std::string& cheats : {a, b}) {
        collected found = check(cheats, mame2003plusdialect(), list);
        // Every old-layout line is read as a cheat line: nothing ignored.
        EXPECT_EQ(found.linesof(checkid::ignoredline), std::vector<long long>{});
        EXPECT_EQ(found.linesof(checkid::fieldformat), std::vector<long long>{});
        // The excerpts begin inside a game: its lines stand before any block
        // (the whole of one excerpt).
        std::size_t firsttitle = std::min(cheats.find("\n; ["), cheats.size());
        auto titleline = std::count(cheats.begin(), cheats.begin() + static_cast<long>(firsttitle), '\n') + 2;
        for (long long mismatch : found.linesof(checkid::shortnamemismatch)) EXPECT_LT(mismatch, titleline);
    }
}

}  // namespace
