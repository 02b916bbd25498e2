#include "main/config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "text/closest.h"
#include "text/glob.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of the test's own under the temporary folder.
fs::path freshfolder(const std::string& name) {
    fs::path folder = fs::u8path(::testing::TempDir()) / ("vettle-config-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void writefile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

TEST(Glob, MatchesWithinAndAcrossFolders) {
    const struct {
        const char* pattern;
        const char* path;
        bool matches;
        bool casesensitive;
    } cases[] = {
        {"cheat.dat", "cheat.dat", true, true},
        {"cheat.dat", "a/cheat.dat", false, true},
        {"*.dat", "cheat.dat", true, true},
        {"*.dat", "a/cheat.dat", false, true},  // one folder only
        {"*.dat", "cheat.dat.bak", false, true},
        {"a/*.dat", "a/cheat.dat", true, true},
        {"a/*", "a/", true, true},
        {"*", "", true, true},
        {"", "", true, true},
        {"", "a", false, true},
        {"?heat.dat", "cheat.dat", true, true},
        {"a?cheat.dat", "a/cheat.dat", false, true},  // never the folder mark
        {"?", "", false, true},
        {"**/cheatnes.dat", "cheatnes.dat", true, true},  // no folders
        {"**/cheatnes.dat", "a/b/cheatnes.dat", true, true},
        {"**/cheatnes.dat", "xcheatnes.dat", false, true},
        {"a/**/b.dat", "a/b.dat", true, true},
        {"a/**/b.dat", "a/x/y/b.dat", true, true},
        {"a/**/b.dat", "a/xb.dat", false, true},
        {"a/**", "a/x/y", true, true},
        {"a/**", "a", false, true},
        {"**", "a/b/c", true, true},
        {"**.dat", "a/b.dat", true, true},
        {"x**y", "x/a/y", true, true},   // across folders inside a name too
        {"x**/y", "xy", false, true},    // but the folder is there
        {"x**/y", "xa/b/y", true, true},
        {"***/a", "a", true, true},
        {"*a*b", "xaybzb", true, true},  // the first choice of where '*' ends is not the one
        {"*a*b", "ab/b", false, true},
        {"[ab].dat", "[ab].dat", true, true},  // no classes: literal
        {"[ab].dat", "a.dat", false, true},
        {"a\\*", "a\\x", true, true},  // nor escapes
        {"CHEATS/*.DAT", "cheats/a.dat", false, true},
        {"CHEATS/*.DAT", "cheats/a.dat", true, false},
        {"\xC3\x89.dat", "\xC3\xA9.dat", false, false},  // ASCII letters only fold
        // Out of the folder only by name.
        {"**/a.dat", "../a.dat", false, true},
        {"**", "../x/a.dat", false, true},
        {"*/a.dat", "../a.dat", false, true},
        {"?./a.dat", "../a.dat", false, true},
        {"../*.dat", "../a.dat", true, true},
        {"../**/a.dat", "../x/y/a.dat", true, true},
        {"*/a.dat", "..x/a.dat", true, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string(test.pattern) + " ~ " + test.path);
        EXPECT_EQ(globmatch(test.pattern, test.path, test.casesensitive), test.matches);
    }
}

// A pattern that backtracking would take years over: each star's end
// tried at each place.
TEST(Glob, StarsAgainstALongPathTakeTimeInProportion) {
    std::string path(10000, 'a');
    EXPECT_FALSE(globmatch(std::string(50, '*') + "b", path, true));
    EXPECT_TRUE(globmatch(std::string(50, '*') + "a", path, true));
    std::string stars;
    for (int i = 0; i < 50; ++i) stars += "*a";
    EXPECT_FALSE(globmatch(stars + "b", path, true));
    EXPECT_TRUE(globmatch(stars + "?", path, true));
    std::string folders;
    for (int i = 0; i < 5000; ++i) folders += "a/";
    std::string many;
    for (int i = 0; i < 25; ++i) many += "**/a*";
    EXPECT_FALSE(globmatch(many + "b", folders + "c", true));
    EXPECT_TRUE(globmatch(many, folders + "a", true));
}

TEST(ClosestName, GuessesOnlyWhatIsClose) {
    const std::vector<std::string_view> keys = {"game-list", "emulator", "baseline", "select", "extend-select",
                                                "ignore", "per-file-ignores", "per-file-game-list"};
    const std::vector<std::string_view> checks = {"ALL", "unlisted-shortname", "title-mismatch", "zero-value"};
    const struct {
        const char* given;
        const std::vector<std::string_view>& known;
        const char* expected;
    } cases[] = {
        {"selec", keys, "select"},
        {"Select", keys, "select"},
        {"selcet", keys, "select"},  // a swap is one slip
        {"slect", keys, "select"},
        {"gamelist", keys, "game-list"},
        {"game-lists", keys, "game-list"},
        {"per-file-ignore", keys, "per-file-ignores"},
        {"emulater", keys, "emulator"},
        {"extend", keys, "extend-select"},  // begun
        {"per-file", keys, ""},             // begins two
        {"dialect", keys, ""},
        {"ab", keys, ""},
        {"", keys, ""},
        {"zero-valu", checks, "zero-value"},
        {"titel-mismatch", checks, "title-mismatch"},
        {"unlisted", checks, "unlisted-shortname"},
        {"all", checks, "ALL"},
        {"al", checks, "ALL"},
        {"xy", checks, ""},  // two slips in a name of three are no guess
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.given);
        EXPECT_EQ(closestname(test.given, test.known), test.expected);
    }
    EXPECT_EQ(closestname(std::string(100000, 's'), keys), "");
    EXPECT_EQ(closestname("--strcit", {"--strict", "--statistics"}), "--strict");
}

TEST(Config, ReadsEveryKeyAndKeepsThePatternsInTheirOrder) {
    fs::path folder = freshfolder("every");
    writefile(folder / "vettle.toml",
              "\xEF\xBB\xBF# the project's checks\r\n"
              "game-list = \"lists/mame.xml\"\r\n"
              "baseline = 'baseline.txt'\r\n"
              "select = [\"ALL\"]\r\n"
              "extend-select = [\"no-cheat-entries\"]\r\n"
              "ignore = [\"zero-value\", \"suspect-mask\"]\r\n"
              "\r\n"
              "[per-file-ignores]\r\n"
              "\"old/**\" = [\"ALL\"]\r\n"
              "\"**/nes.dat\" = [\"title-mismatch\"]\r\n"
              "\r\n"
              "[per-file-game-list]\r\n"
              "\"z/*.dat\" = \"z.xml\"\r\n"
              "\"a/*.dat\" = \"a.xml\"\r\n"
              "[per-file-dialect]\r\n"
              "\"nes/*.dat\" = \"fbneo\"\r\n");
    configfile config;
    std::string error;
    std::string path = (folder / "vettle.toml").u8string();
    ASSERT_TRUE(readconfig(path, config, error)) << error;
    EXPECT_EQ(config.path, path);
    EXPECT_EQ(config.folder, folder.generic_u8string());
    EXPECT_EQ(config.gamelist, "lists/mame.xml");
    EXPECT_FALSE(config.emulator);
    EXPECT_EQ(config.baseline, "baseline.txt");
    EXPECT_EQ(config.select, std::vector<std::string>{"ALL"});
    EXPECT_EQ(config.extendselect, std::vector<std::string>{"no-cheat-entries"});
    EXPECT_EQ(config.ignore, (std::vector<std::string>{"zero-value", "suspect-mask"}));
    using ignores = std::vector<std::pair<std::string, std::vector<std::string>>>;
    EXPECT_EQ(config.perfileignores, (ignores{{"old/**", {"ALL"}}, {"**/nes.dat", {"title-mismatch"}}}));
    using lists = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(config.perfilegamelist, (lists{{"z/*.dat", "z.xml"}, {"a/*.dat", "a.xml"}}));
    EXPECT_EQ(config.perfiledialect, (lists{{"nes/*.dat", "fbneo"}}));
    EXPECT_FALSE(config.dialect);

    // An empty file and an empty select are not the same.
    writefile(folder / "vettle.toml", "");
    ASSERT_TRUE(readconfig(path, config, error)) << error;
    EXPECT_FALSE(config.select);
    EXPECT_FALSE(config.gamelist);
    writefile(folder / "vettle.toml", "select = []\nemulator = 'mame'\n");
    ASSERT_TRUE(readconfig(path, config, error)) << error;
    EXPECT_EQ(config.select, std::vector<std::string>{});
    EXPECT_EQ(config.emulator, "mame");
}

TEST(Config, SaysTheLineAndWhatIsWrong) {
    const struct {
        const char* text;
        const char* error;  // after the path
        bool whole;         // false: toml++'s own words follow
    } cases[] = {
        {"selec = ['zero-value']", ":1: unknown key 'selec'; did you mean 'select'?", true},
        {"\n\n[foo]\nx = 1",
         ":3: unknown key 'foo'; the keys are game-list, emulator, baseline, select, extend-select, ignore, "
         "output-format, per-file-ignores, per-file-game-list, dialect, per-file-dialect",
         true},
        {"dialect = 'mame'", ":1: unknown dialect 'mame' in 'dialect'; did you mean 'mame2003-plus'?", true},
        {"dialect = 'zz'", ":1: unknown dialect 'zz' in 'dialect'; the dialects are classic, fbneo, mame2003-plus", true},
        {"[per-file-dialect]\n'nes/*.dat' = 'fbneoo'",
         ":2: unknown dialect 'fbneoo' in 'per-file-dialect' for 'nes/*.dat'; did you mean 'fbneo'?", true},
        {"per-file-dialect = { 'a/*' = 2 }", ":1: 'per-file-dialect' for 'a/*' must be a string, not an integer", true},
        {"\"sel\\u0001ect\" = []", ":1: unknown key 'sel\\x01ect'; did you mean 'select'?", true},
        {"zzz = 1\naaa = 2", ":1: unknown key 'zzz'", false},  // the first in the file, not by name
        {"game-list = 3", ":1: 'game-list' must be a string, not an integer", true},
        {"baseline = ''", ":1: 'baseline' must not be empty", true},
        {"emulator = ['mame']", ":1: 'emulator' must be a string, not an array", true},
        {"game-list = 'a.xml'\nemulator = 'mame'", ":2: 'emulator' cannot be used with 'game-list'", true},
        {"select = 'zero-value'", ":1: 'select' must be an array of check names, not a string", true},
        {"select = [true]", ":1: 'select' must hold check names, not true or false", true},
        {"ignore = [\n  'zero-value',\n  'zero-valeu',\n]",
         ":3: unknown check 'zero-valeu' in 'ignore'; did you mean 'zero-value'?", true},
        {"extend-select = ['all-of-them']",
         ":1: unknown check 'all-of-them' in 'extend-select'; the checks are ALL, unlisted-shortname, ", false},
        {"per-file-ignores = ['a']", ":1: 'per-file-ignores' must be a table of file patterns, not an array", true},
        {"[per-file-ignores]\n'a/*.dat' = ['ALL']\n'b/*.dat' = ['titel-mismatch']",
         ":3: unknown check 'titel-mismatch' in 'per-file-ignores' for 'b/*.dat'; did you mean 'title-mismatch'?",
         true},
        {"[per-file-ignores]\n'a/*.dat' = 'ALL'",
         ":2: 'per-file-ignores' for 'a/*.dat' must be an array of check names, not a string", true},
        {"per-file-game-list = { 'a/*' = 1 }", ":1: 'per-file-game-list' for 'a/*' must be a string, not an integer",
         true},
        {"[per-file-game-list]\n'cheats\\*.dat' = 'a.xml'",
         ":2: pattern 'cheats\\*.dat' holds '\\'; patterns take '/' between folders", true},
        {"output-format = 'jsn'", ":1: unknown output format 'jsn' in 'output-format'; did you mean 'json'?", true},
        {"\n output-format = ['json']", ":2: 'output-format' must be a string, not an array", true},
        {"select = [", ":1: ", false},
        {"select = []\n\nselect = []", ":3: ", false},
        {"game-list = \"a\nb\"", ":1: ", false},
    };
    fs::path folder = freshfolder("errors");
    std::string path = (folder / "vettle.toml").u8string();
    for (const auto& test : cases) {
        SCOPED_TRACE(test.text);
        writefile(folder / "vettle.toml", test.text);
        configfile config;
        std::string error;
        EXPECT_FALSE(readconfig(path, config, error));
        std::string expected = path + test.error;
        if (test.whole) {
            EXPECT_EQ(error, expected);
        } else {
            EXPECT_EQ(error.substr(0, expected.size()), expected);
        }
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(Config, AFileThatCannotBeReadIsSaidByTheNameAsGiven) {
    fs::path folder = freshfolder("unread");
    fs::create_directories(folder / "sub" / "vettle.toml");
    configfile config;
    std::string error;
    for (const char* name : {"missing.toml", "sub/vettle.toml", "sub/../sub/vettle.toml"}) {
        std::string path = folder.u8string() + "/" + name;
        EXPECT_FALSE(readconfig(path, config, error));
        EXPECT_EQ(error.substr(0, path.size() + 18), path + ": cannot be read: ") << error;
    }
    // Whatever the file holds, no more than a config's worth is kept.
    writefile(folder / "big.toml", "# " + std::string(1 << 20, 'x'));
    std::string big = folder.u8string() + "/big.toml";
    EXPECT_FALSE(readconfig(big, config, error));
    EXPECT_EQ(error, big + ": is over 1 MB, too large for a config file");
}

TEST(Config, IsFoundAboveButNotAboveTheProjectsTop) {
    fs::path top = freshfolder("find") / "outer";
    writefile(top / "vettle.toml", "");  // another project's, above this one
    fs::path project = top / "project";
    fs::create_directories(project / ".git");
    fs::create_directories(project / "a" / "b");
    fs::create_directories(project / "a" / "vettle.toml" / "x");  // a folder is no config
    std::string start = (project / "a" / "b").u8string();
    EXPECT_EQ(findconfig(start), std::nullopt);

    writefile(project / "vettle.toml", "");
    EXPECT_EQ(findconfig(start), start + "/../../vettle.toml");
    EXPECT_EQ(findconfig(start + "/"), start + "/../../vettle.toml");
    writefile(project / "a" / "b" / "vettle.toml", "");
    EXPECT_EQ(findconfig(start), start + "/vettle.toml");

    // A worktree's or a submodule's .git is a file.
    fs::path worktree = top / "worktree";
    writefile(worktree / ".git", "gitdir: elsewhere\n");
    fs::create_directories(worktree / "c");
    EXPECT_EQ(findconfig((worktree / "c").u8string()), std::nullopt);

    // From the current folder, the path is as short as it can be.
    fs::path before = fs::current_path();
    fs::current_path(project / "a");
    EXPECT_EQ(findconfig("."), "../vettle.toml");
    EXPECT_EQ(findconfig(""), "../vettle.toml");
    fs::current_path(project);
    EXPECT_EQ(findconfig("."), "vettle.toml");
    fs::current_path(before);
}

TEST(Config, PathsAreTakenFromTheConfigsFolder) {
    configfile here, there;
    here.folder = ".";
    there.folder = "sub/..";
    EXPECT_EQ(configpath(here, "lists/a.xml"), "lists/a.xml");
    EXPECT_EQ(configpath(there, "lists/a.xml"), "sub/../lists/a.xml");
    EXPECT_EQ(configpath(there, "/usr/share/a.xml"), "/usr/share/a.xml");
    EXPECT_EQ(configprogram(there, "mame"), "mame");  // found as --emulator's is
    EXPECT_EQ(configprogram(there, "bin/mame"), "sub/../bin/mame");
    EXPECT_EQ(configprogram(there, "bin\\mame.exe"), "sub/../bin\\mame.exe");

    fs::path folder = freshfolder("relative");
    writefile(folder / "project" / "cheats" / "a.dat", "");
    writefile(folder / "elsewhere" / "b.dat", "");
    configfile config;
    config.folder = (folder / "project").generic_u8string();
    std::string base = folder.generic_u8string();
    EXPECT_EQ(configrelative(config, base + "/project/cheats/a.dat"), "cheats/a.dat");
    EXPECT_EQ(configrelative(config, base + "/project/cheats/../cheats/a.dat"), "cheats/a.dat");
    EXPECT_EQ(configrelative(config, base + "/project/cheats/new.dat"), "cheats/new.dat");
    EXPECT_EQ(configrelative(config, base + "/elsewhere/b.dat"), "../elsewhere/b.dat");
    config.folder = base + "/elsewhere/../project";
    EXPECT_EQ(configrelative(config, base + "/project/cheats/a.dat"), "cheats/a.dat");
}

TEST(Config, EachCheatFileGetsItsListAndItsIgnores) {
    configfile config;
    config.gamelist = "all.xml";
    config.perfilegamelist = {{"nes/*.dat", "nes.xml"}, {"**/*.dat", "other.xml"}, {"nes/a.dat", "never.xml"}};
    config.dialect = "mame2003-plus";
    config.perfiledialect = {{"nes/*.dat", "fbneo"}, {"**/b.dat", "classic"}};
    config.perfileignores = {{"nes/**", {"title-mismatch", "zero-value"}},
                             {"**/a.dat", {"zero-value", "suspect-mask"}},
                             {"b.dat", {"ALL"}}};
    const struct {
        const char* cheat;
        bool casesensitive;
        const char* list;
        std::vector<std::string> ignores;
        const char* dialect;
    } cases[] = {
        {"nes/a.dat", true, "nes.xml", {"title-mismatch", "zero-value", "suspect-mask"}, "fbneo"},
        {"NES/a.dat", true, "other.xml", {"zero-value", "suspect-mask"}, "mame2003-plus"},
        {"NES/a.dat", false, "nes.xml", {"title-mismatch", "zero-value", "suspect-mask"}, "fbneo"},
        {"b.dat", true, "other.xml", {"ALL"}, "classic"},
        {"cheat.txt", true, "all.xml", {}, "mame2003-plus"},
        {"../nes/a.dat", true, "all.xml", {}, "mame2003-plus"},  // outside the project
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.cheat);
        const std::string* list = gamelistfor(config, test.cheat, test.casesensitive);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(*list, test.list);
        EXPECT_EQ(ignoresfor(config, test.cheat, test.casesensitive), test.ignores);
        const std::string* dialect = dialectfor(config, test.cheat, test.casesensitive);
        ASSERT_NE(dialect, nullptr);
        EXPECT_EQ(*dialect, test.dialect);
    }
    config.gamelist.reset();
    EXPECT_EQ(gamelistfor(config, "cheat.txt", true), nullptr);
    config.dialect.reset();
    EXPECT_EQ(dialectfor(config, "cheat.txt", true), nullptr);
}

}  // namespace
