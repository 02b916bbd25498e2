// End-to-end cases: the built tool run in a folder of inputs, its outputs
// compared byte for byte with the case folder's expected files.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "checks/checktable.h"
#include "e2erun.h"
#include "main/host.h"

namespace {

using namespace e2e;

std::vector<std::string> plaincases() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(E2E_CASES)) {
        std::string name = entry.path().filename().string();
        if (!fs::exists(entry.path() / "needs-setup") && (E2E_CMD || !windowsonly(name))) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct CaseFolder : ::testing::TestWithParam<std::string> {};

TEST_P(CaseFolder, RunMatchesExpectedFiles) { runandcompare(prepare(GetParam()), GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cases, CaseFolder, ::testing::ValuesIn(plaincases()), [](const auto& info) {
    std::string name = info.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// The names of the checks, from the table of checks, joined by `between`;
// those about a line of the file alone, or all.
std::string checknames(const char* between, bool linesonly = false) {
    std::string names;
    for (const checkinfo& check : checktable) {
        if (linesonly && check.id == checkid::nocheatentries) continue;
        names += (names.empty() ? "" : between) + std::string(check.name);
    }
    return names;
}

// Nothing is run and no file is made; one line says what is wrong.
TEST(CommandLine, UsageErrors) {
    const struct {
        std::vector<std::string> arguments;
        std::string problem;
    } errors[] = {
        {{"--verbose"}, "unknown option '--verbose'"},
        {{"-x"}, "unknown option '-x'"},
        {{"cheat.dat"}, "unexpected argument 'cheat.dat'"},
        {{"--cheat-file"}, "option '--cheat-file' needs a value"},
        {{"--game-list="}, "option '--game-list' needs a value"},
        {{"--strict=yes"}, "option '--strict' takes no value"},
        {{"--strict", "--cheat-file", "a", "--strict"}, "option '--strict' is given twice"},
        {{"--cheat-file=a", "--cheat-file", "b"}, "option '--cheat-file' is given twice"},
        {{"--game-list", "games.txt", "--emulator", "mame"}, "option '--emulator' cannot be used with '--game-list'"},
        {{"--help", "--bogus"}, "unknown option '--bogus'"},
        {{"--select", "zero-value,fields"},
         "unknown check 'fields' in --select; the checks are " + checknames(", ")},
        {{"--ignore=suspect-mask,"},
         "unknown check '' in --ignore; the checks are " + checknames(", ")},
        {{"--report-dir", "out", "--no-reports"}, "option '--report-dir' cannot be used with '--no-reports'"},
        {{"--baseline", "a", "--baseline=b"}, "option '--baseline' is given twice"},
        {{"--diff", "--diagnostics"}, "option '--diff' cannot be used with '--diagnostics'"},
        {{"--statistics", "--diff"}, "option '--diff' cannot be used with '--statistics'"},
        {{"--diff", "--cheat-file", "../cheat.dat"},
         "option '--diff' needs a cheat file in the current folder or below it, not '../cheat.dat'"},
    };
    for (const auto& error : errors) {
        SCOPED_TRACE(error.problem);
        fs::path folder = prepare("no-findings", "usage-error");
        EXPECT_EQ(runvettle(folder, error.arguments), 2);
        EXPECT_EQ(readfile(folder / "stderr.out"),
                  hosttext("vettle: " + std::string(error.problem) + "\nTry 'vettle --help'.\n"));
        EXPECT_EQ(readfile(folder / "console.out"), "");
        for (const char* made : {"cheatscanresults.txt", "cheatscanwarnings.txt", "vettletemp.tmp"}) {
            EXPECT_FALSE(fs::exists(folder / made)) << made;
        }
    }
}

// Every case again with --diagnostics: each line has the form editors and
// CI read, lines come in the order of the file, and the reports and the
// exit code are those the case expects without the option.
TEST(Diagnostics, EveryCaseGivesWellFormedLinesAndTheSameReports) {
    const std::regex finding(
        "[^:]+:([0-9]+):[0-9]+: (error|warning|note): .+ \\[(" + checknames("|", true) + ")\\]");
    const std::regex closing("[^:]+: note: .+ \\[no-cheat-entries\\]");
    for (const std::string& name : plaincases()) {
        if (fs::exists(casefolder(name) / "args") || !fs::exists(casefolder(name) / "cheat.dat")) continue;
        SCOPED_TRACE("case " + name);
        fs::path folder = prepare(name, "diagnostics");
        int code = runvettle(folder, std::vector<std::string>{"--diagnostics"});
        EXPECT_NE(readfile(casefolder(name) / "expected" / "outcome").find("exit " + std::to_string(code) + "\n"),
                  std::string::npos);
        for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
            EXPECT_TRUE(readfile(folder / report) == hosttext(readfile(casefolder(name) / "expected" / report)))
                << report;
        }
        std::istringstream lines(readfile(folder / "console.out"));
        long long previous = 0;
        bool closed = false;
        for (std::string text; std::getline(lines, text);) {
            if (!text.empty() && text.back() == '\r') text.pop_back();
            std::smatch parts;
            EXPECT_FALSE(closed) << "after the closing note: " << text;
            if (std::regex_match(text, parts, finding)) {
                long long number = std::stoll(parts[1]);
                EXPECT_GE(number, previous) << text;
                previous = number;
            } else {
                closed = std::regex_match(text, closing);
                EXPECT_TRUE(closed) << text;
            }
        }
    }
}

// Which checks are shown, what --strict goes by and what --statistics
// counts; the reports are those of a run without the options.
TEST(Findings, SelectIgnoreStrictAndStatistics) {
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* output;  // standard output, where it is checked
    } runs[] = {
        {{"--diagnostics", "--statistics", "--select", "zero-value"},
         0,
         "cheat.dat:9:1: warning: possible illegal zero address or mask [zero-value]\n"
         "cheat.dat:21:512: warning: possible illegal zero address or mask [zero-value]\n"
         "2  zero-value          warning\n"
         "total: 0 errors, 2 warnings, 0 notes\n"},
        // Given again, each adds to the ones before.
        {{"--diagnostics", "--statistics", "--select=non-ascii", "--select", "suspect-mask"},
         0,
         "cheat.dat:7:32: error: extended field '0000FFFF' is a suspect mask [suspect-mask]\n"
         "cheat.dat:10:541: error: byte 0xE9 is above 0x7F [non-ascii]\n"
         "cheat.dat:19:62: error: byte 0xC3 is above 0x7F [non-ascii]\n"
         "cheat.dat:23:53: error: byte 0xE9 is above 0x7F [non-ascii]\n"
         "3  non-ascii           error\n"
         "1  suspect-mask        error\n"
         "total: 4 errors, 0 warnings, 0 notes\n"},
        // Biggest first, equal counts in the order of the checks; notes count
        // the games without cheats.
        {{"--diagnostics", "--statistics", "--ignore", "zero-value", "--ignore=suspect-mask"}, 0, nullptr},
        // Warnings and the list of games without cheats never fail.
        {{"--strict", "--select", "zero-value,no-cheat-entries"}, 0, nullptr},
        {{"--strict", "--ignore", "unlisted-shortname,title-mismatch,non-ascii,shortname-mismatch",
          "--ignore", "field-format,unneeded-fields,suspect-mask"},
         0,
         nullptr},
        {{"--strict", "--select", "suspect-mask"}, 1, nullptr},
        {{"--strict", "--diagnostics", "--select", "unneeded-fields"}, 1, nullptr},
    };
    for (const auto& run : runs) {
        std::string named;
        for (const std::string& argument : run.arguments) named += argument + " ";
        SCOPED_TRACE(named);
        fs::path folder = prepare("every-finding", "findings");
        EXPECT_EQ(runvettle(folder, run.arguments), run.code);
        if (run.output != nullptr) {
            EXPECT_EQ(readfile(folder / "console.out"), hosttext(run.output));
        }
        for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
            EXPECT_TRUE(readfile(folder / report) == hosttext(readfile(casefolder("every-finding") / "expected" / report)))
                << report;
        }
    }
    fs::path folder = prepare("every-finding", "statistics");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--diagnostics", "--statistics", "--ignore",
                                                         "zero-value", "--ignore=suspect-mask"}),
              0);
    std::string output = readfile(folder / "console.out");
    EXPECT_NE(output.find(hosttext("9  field-format        error\n"
                                   "4  no-cheat-entries    note\n"
                                   "4  shortname-mismatch  error\n"
                                   "3  unlisted-shortname  error\n"
                                   "3  title-mismatch      error\n"
                                   "3  non-ascii           error\n"
                                   "1  unneeded-fields     error\n"
                                   "total: 23 errors, 0 warnings, 4 notes\n")),
              std::string::npos)
        << output;
}

// A baseline hides the findings it records, matched by check, message and
// the text of their line, never by line number, each once; what is new or
// gone is told.
TEST(Findings, ABaselineHidesWhatItRecordsAndNothingElse) {
    fs::path folder = prepare("every-finding", "baseline");
    ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--write-baseline", "known.txt", "--no-reports"}), 0);
    std::string cheats = readfile(folder / "cheat.dat");
    auto hidden = [&](const std::string& changed, const char* shows, const char* says) {
        SCOPED_TRACE(says);
        writefile(folder / "cheat.dat", changed);
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "known.txt", "--diagnostics",
                                                             "--strict", "--no-reports"}),
                  *shows == '\0' ? 0 : 1);
        EXPECT_EQ(readfile(folder / "console.out"),
                  hosttext(std::string(shows) + "cheat.dat: note: 4 listed games have no cheat entries "
                                                 "[no-cheat-entries]\n"));
        EXPECT_EQ(readfile(folder / "stderr.out"), hosttext(std::string("vettle: note: the baseline 'known.txt' ") + says + "\n"));
    };
    const std::string flagged = ":pacman:00000000:4E14:00000003:0000FFFF:another shortname, a suspect mask\n";
    std::size_t at = cheats.find(flagged);
    ASSERT_NE(at, std::string::npos);
    hidden(cheats, "", "hid 26 findings; 0 recorded findings are gone");
    // As an editor may save it: a byte-order mark, a long comment, no line
    // feed at its end.
    std::string recorded = readfile(folder / "known.txt");
    writefile(folder / "known.txt", "\xEF\xBB\xBF# " + std::string(100000, '=') + "\n" +
                                        recorded.substr(0, recorded.size() - 1));
    hidden(cheats, "", "hid 26 findings; 0 recorded findings are gone");
    // Checks left out are neither shown nor gone.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "known.txt", "--ignore", "field-format",
                                                         "--no-reports"}),
              0);
    EXPECT_EQ(readfile(folder / "stderr.out"),
              hosttext("vettle: note: the baseline 'known.txt' hid 17 findings; 0 recorded findings are gone\n"));
    // A baseline is a file of its own.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "cheat.dat"}), 3);
    writefile(folder / "known.txt", recorded);
    // Lines added or removed elsewhere change nothing; CR LF matches LF.
    std::string crlf;
    for (std::size_t i = 0; i < cheats.size(); ++i) {
        if (cheats[i] == '\n' && (i == 0 || cheats[i - 1] != '\r')) crlf += '\r';
        crlf += cheats[i];
    }
    hidden("; a new first line\n\n" + crlf, "", "hid 26 findings; 0 recorded findings are gone");
    // An edited line's new finding shows; its old one is gone.
    std::string edited = cheats;
    edited.replace(at, flagged.size(), ":pacman:00000000:4E14:00000003:00FFFFFF:another shortname, a suspect mask\n");
    hidden(edited, "cheat.dat:7:2: error: shortname 'pacman' differs from the block's shortname 'pacmanx' (set at "
                   "line 6) [shortname-mismatch]\n"
                   "cheat.dat:7:32: error: extended field '00FFFFFF' is a suspect mask [suspect-mask]\n",
           "hid 24 findings; 2 recorded findings are gone");
    // A flagged line copied once shows one more of each of its findings.
    std::string copied = cheats;
    copied.insert(at, flagged);
    hidden(copied, "cheat.dat:8:2: error: shortname 'pacman' differs from the block's shortname 'pacmanx' (set at "
                   "line 6) [shortname-mismatch]\n"
                   "cheat.dat:8:32: error: extended field '0000FFFF' is a suspect mask [suspect-mask]\n",
           "hid 26 findings; 0 recorded findings are gone");
}

// The tool's own fixes, applied, leave a baseline matching all that is
// left; a baseline is refreshed in place, read whole before it is written.
TEST(Findings, ABaselineOutlivesTheToolsFixesAndIsRefreshedInPlace) {
    fs::path folder = prepare("diff-fixes", "baseline-and-fixes");
    ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--write-baseline", "known.txt", "--no-reports"}), 0);
    std::string recorded = readfile(folder / "known.txt");
    ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--diff"}), 0);
    std::string patch = readfile(folder / "console.out");
    ASSERT_FALSE(patch.empty());
    if (!E2E_CMD) {  // git and patch are not at hand under wine
        writefile(folder / "fixes.diff", patch);
        ASSERT_EQ(runcommand(("git -C '" + folder.string() + "' apply fixes.diff").c_str()).exitcode, 0);
        fs::remove(folder / "fixes.diff");
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "known.txt", "--strict", "--diagnostics",
                                                             "--no-reports"}),
                  0);
        std::string shown = readfile(folder / "console.out");
        EXPECT_EQ(shown.find(": error: "), std::string::npos) << shown;
        EXPECT_NE(readfile(folder / "stderr.out").find("recorded findings are gone"), std::string::npos);
    }
    // The same name read and written: the new baseline records what is left.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "known.txt", "--write-baseline", "known.txt",
                                                         "--no-reports"}),
              0);
    std::string refreshed = readfile(folder / "known.txt");
    if (!E2E_CMD) {
        EXPECT_LT(refreshed.size(), recorded.size());
    }
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--baseline", "known.txt", "--strict", "--no-reports"}), 0);
    EXPECT_NE(readfile(folder / "stderr.out").find("; 0 recorded findings are gone"), std::string::npos);
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find("known.txt.new"), std::string::npos) << "left behind";
    }
}

// The reports in a folder of their own, or none at all.
TEST(Findings, ReportsElsewhereOrNone) {
    fs::path folder = prepare("no-findings", "report-dir");
    fs::create_directory(folder / "out dir");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--report-dir", "out dir"}), 0);
    std::string console = readfile(folder / "console.out");
    EXPECT_NE(console.find(hosttext("\nResults saved to out dir/cheatscanresults.txt and 'warnings' to out "
                                    "dir/cheatscanwarnings.txt\n")),
              std::string::npos)
        << console;
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
        EXPECT_FALSE(fs::exists(folder / report)) << report;
        EXPECT_EQ(readfile(folder / "out dir" / report), hosttext(readfile(casefolder("no-findings") / "expected" / report)));
    }
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--report-dir", "nowhere"}), 3);
    EXPECT_NE(readfile(folder / "console.out").find(hosttext("Failed to read from 'nowhere'. Please check filename.\n"
                                                             "It must be an existing folder.\n")),
              std::string::npos);
    fs::path none = prepare("no-findings", "no-reports");
    EXPECT_EQ(runvettle(none, std::vector<std::string>{"--no-reports"}), 0);
    console = readfile(none / "console.out");
    EXPECT_NE(console.find(hosttext("\nCheat file check completed\nNo reports were written (--no-reports)\n")),
              std::string::npos);
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) EXPECT_FALSE(fs::exists(none / report));
}

// The manual page and --help name the same options and the same checks.
TEST(Documentation, ManPageAndHelpNameTheSameOptionsAndChecks) {
    fs::path folder = prepare("help", "help-and-manual");
    ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--help"}), 0);
    std::string help = readfile(folder / "console.out");
    std::string manual = readfile(MANPAGE_PATH);  // as the build makes it
    EXPECT_EQ(manual.rfind(".TH VETTLE 1 ", 0), 0u);
    EXPECT_NE(manual.find(" \"vettle " VETTLE_VERSION "\" "), std::string::npos) << "the version in the header";
    for (std::size_t at; (at = manual.find("\\-")) != std::string::npos;) manual.replace(at, 2, "-");
    auto options = [](const std::string& text) {
        std::set<std::string> names;
        const std::regex option("--[a-z][a-z-]*[a-z]");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it) {
            names.insert(it->str());
        }
        return names;
    };
    std::set<std::string> manualoptions = options(manual);
    manualoptions.erase("--option");  // the manual's "--option=VALUE"
    manualoptions.erase("--allow-empty");  // git apply's, in an example
    EXPECT_EQ(options(help), manualoptions);
    // A check is a line of its own in both: "  NAME  SEVERITY ..." and ".B NAME".
    std::set<std::string> helpchecks, manualchecks;
    std::smatch parts;
    std::istringstream helplines(help), manuallines(manual);
    for (std::string text; std::getline(helplines, text);) {
        if (std::regex_match(text, parts, std::regex("  ([a-z]+-[a-z-]+) +(error|warning|note) .*\r?"))) {
            helpchecks.insert(parts[1]);
        }
    }
    bool inchecks = false;
    for (std::string text; std::getline(manuallines, text);) {
        if (text.rfind(".SH", 0) == 0) inchecks = text == ".SH CHECKS";
        if (inchecks && std::regex_match(text, parts, std::regex("\\.B ([a-z-]+)"))) manualchecks.insert(parts[1]);
    }
    EXPECT_EQ(helpchecks.size(), static_cast<std::size_t>(checkcount));
    EXPECT_EQ(helpchecks, manualchecks);
    // The page of checks has a row for each, with its severity.
    std::set<std::string> pagechecks, tablechecks;
    std::istringstream pagelines(readfile(CHECKSPAGE_PATH));
    for (std::string text; std::getline(pagelines, text);) {
        if (std::regex_match(text, parts, std::regex("\\| `([a-z-]+)` \\| (error|warning|note) \\|.*"))) {
            pagechecks.insert(parts[1].str() + " " + parts[2].str());
        }
    }
    for (const checkinfo& check : checktable) {
        tablechecks.insert(std::string(check.name) + " " + std::string(severityname(check.level)));
    }
    EXPECT_EQ(pagechecks, tablechecks);
}

// What each check finds, from --statistics.
std::map<std::string, long long> countsof(const fs::path& folder) {
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--statistics", "--no-reports"}), 0);
    std::istringstream lines(readfile(folder / "console.out").substr(readfile(folder / "console.out").rfind("\n\n")));
    std::map<std::string, long long> counts;
    long long count;
    std::string check;
    while (lines >> count >> check) {
        counts[check] = count;
        lines.ignore(1 << 20, '\n');
    }
    return counts;
}

// The patch applies with git and with patch alike, leaves nothing more to
// fix, and no check finds more than before.
TEST(Diff, ThePatchAppliesAndLeavesNothingToFix) {
    if (E2E_CMD) GTEST_SKIP() << "git and patch are not at hand under wine; the patch's bytes are checked by its case";
    for (const char* name : {"diff-fixes", "every-finding", "game-list-formats"}) {
        SCOPED_TRACE(name);
        fs::path folder = prepare(name, std::string("diff-") + name);
        std::vector<std::string> diff = {"--diff"};
        if (std::string(name) == "game-list-formats") diff = {"--diff", "--game-list", "listxml.xml"};
        std::map<std::string, long long> before = countsof(folder);
        ASSERT_EQ(runvettle(folder, diff), 0);
        std::string patch = readfile(folder / "console.out");
        ASSERT_FALSE(patch.empty());
        writefile(folder / "fixes.diff", patch);
        std::string original = readfile(folder / "cheat.dat");
        EXPECT_EQ(runcommand(("git -C '" + folder.string() + "' apply fixes.diff").c_str()).exitcode, 0);
        std::string applied = readfile(folder / "cheat.dat");
        EXPECT_NE(applied, original);
        writefile(folder / "cheat.dat", original);
        EXPECT_EQ(runcommand(("patch -s -p1 -d '" + folder.string() + "' -i fixes.diff").c_str()).exitcode, 0);
        EXPECT_EQ(readfile(folder / "cheat.dat"), applied) << "patch and git apply differ";
        fs::remove(folder / "fixes.diff");
        ASSERT_EQ(runvettle(folder, diff), 0);
        EXPECT_EQ(readfile(folder / "console.out"), "") << "a second --diff";
        for (const auto& [check, count] : countsof(folder)) EXPECT_LE(count, before[check]) << check;
        writefile(folder / "cheat.dat", original);
    }

    // A name with a blank ends at a tab in the headers, as both tools read
    // it; one a patch cannot hold, or one reached through a link, which
    // the tools refuse to follow, is a usage error.
    fs::path folder = prepare("diff-fixes", "diff-names");
    fs::create_directory(folder / "sub dir");
    fs::rename(folder / "cheat.dat", folder / "sub dir" / "cheat file.dat");
    std::string original = readfile(folder / "sub dir" / "cheat file.dat");
    ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--diff", "--cheat-file", "sub dir/cheat file.dat"}), 0);
    std::string patch = readfile(folder / "console.out");
    EXPECT_EQ(patch.rfind("--- a/sub dir/cheat file.dat\t\n+++ b/sub dir/cheat file.dat\t\n", 0), 0u);
    writefile(folder / "fixes.diff", patch);
    EXPECT_EQ(runcommand(("patch -s -p1 -d '" + folder.string() + "' -i fixes.diff").c_str()).exitcode, 0);
    std::string patched = readfile(folder / "sub dir" / "cheat file.dat");
    EXPECT_NE(patched, original);
    writefile(folder / "sub dir" / "cheat file.dat", original);
    EXPECT_EQ(runcommand(("git -C '" + folder.string() + "' apply fixes.diff").c_str()).exitcode, 0);
    EXPECT_EQ(readfile(folder / "sub dir" / "cheat file.dat"), patched);
    fs::create_directory_symlink("sub dir", folder / "linked");
    for (const char* name : {"linked/cheat file.dat", "sub dir/a\"quote.dat", "sub dir/a\\backslash.dat"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--diff", "--cheat-file", name}), 2);
        EXPECT_NE(readfile(folder / "stderr.out").find("vettle: option '--diff' needs a cheat file "), std::string::npos);
    }
}

// What no fix may do: touch a line's end (a name alone on its line is read
// with it, so no rename helps it), guess between two titles of one listed
// shortname, or name another file than the one checked.
TEST(Diff, AFixNeverTouchesALineEndGuessesATitleOrNamesAnotherFile) {
    if (E2E_CMD) GTEST_SKIP() << "git and patch are not at hand under wine";
    const std::string games =
        "Name:     Description:\npuckman   \"Puck Man (Japan set 1)\"\narkanoid  \"Arkanoid\"\n"
        "qbert     \"Q*bert\"\ndup       \"Dup A\"\ndup       \"Dup B\"\n";
    const struct {
        const char* name;
        std::string cheats;
        const char* says;  // a diagnostic the run must print
    } cases[] = {
        {"name alone, the next line the same",
         "; [ Puck Man (Japan set 1) ]\n:puckman\n:puckman\n:puckman:0000000a:1234:00000001:FFFFFFFF:x\n",
         "cheat.dat:2:2: error: the cheat line holds only its shortname 'puckman', which taken with the line's end is "
         "not in the emulator's game list [unlisted-shortname]\n"},
        {"name alone in another game's block",
         "; [ Arkanoid ]\n:rallyx\n:rallyx:00000000:1234:00000001:FFFFFFFF:x\n", nullptr},
        {"CR LF, the name alone last",
         "; [ Arkanoid ]\r\n:arkanoid:0000000a:1234:00000001:FFFFFFFF:x\r\n:puckman\r\n", nullptr},
        {"the name alone last, no line end", "; [ Arkanoid ]\n:rallyx:0000000a:1234:00000001:FFFFFFFF:x\n:rallyx",
         nullptr},
        {"an extended field that takes the line end",
         "; [ Q*bert ]\n:qbert:00000000:0D01:0000000F:0000000a\n:qbert:00000000:0D01:0000000F:0000000a:x\n",
         "cheat.dat:2:31: error: extended field '0000000a' ends the line with no ':' after it [field-format]\n"},
        {"one shortname, two titles", "; [ Dup B ]\n:dup:00000000:1234:00000001:FFFFFFFF:x\n",
         "cheat.dat:1:1: error: title 'Dup B' differs from the emulator's title 'Dup A' of 'dup' [title-mismatch]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::path folder = prepare("diff-fixes", "line-ends");
        writefile(folder / "listfull.txt", games);
        writefile(folder / "cheat.dat", c.cheats);
        if (c.says != nullptr) {
            runvettle(folder, std::vector<std::string>{"--diagnostics", "--no-reports"});
            EXPECT_NE(readfile(folder / "console.out").find(c.says), std::string::npos) << readfile(folder / "console.out");
        }
        ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--diff"}), 0);
        std::string patch = readfile(folder / "console.out");
        if (std::string(c.name) == "one shortname, two titles") {
            EXPECT_EQ(patch, "");
        }
        if (patch.empty()) continue;
        writefile(folder / "fixes.diff", patch);
        EXPECT_EQ(runcommand(("git -C '" + folder.string() + "' apply fixes.diff").c_str()).exitcode, 0);
        std::string applied = readfile(folder / "cheat.dat");
        writefile(folder / "cheat.dat", c.cheats);
        EXPECT_EQ(runcommand(("patch -s -p1 -d '" + folder.string() + "' -i fixes.diff").c_str()).exitcode, 0);
        EXPECT_EQ(readfile(folder / "cheat.dat"), applied) << "patch and git apply differ";
        // Every line and every line end is where it was.
        EXPECT_EQ(std::count(applied.begin(), applied.end(), '\n'), std::count(c.cheats.begin(), c.cheats.end(), '\n'));
        EXPECT_EQ(std::count(applied.begin(), applied.end(), '\r'), std::count(c.cheats.begin(), c.cheats.end(), '\r'));
        EXPECT_EQ(applied.back() == '\n', c.cheats.back() == '\n');
        fs::remove(folder / "fixes.diff");
        ASSERT_EQ(runvettle(folder, std::vector<std::string>{"--diff"}), 0);
        EXPECT_EQ(readfile(folder / "console.out"), "") << "a second --diff";
    }

    // x/../cheat.dat is the folder above x's target when x is a link.
    fs::path folder = prepare("diff-fixes", "dot-dot-through-a-link");
    fs::create_directories(folder / "real" / "sub");
    fs::copy_file(folder / "cheat.dat", folder / "real" / "cheat.dat");
    fs::create_directory_symlink("real/sub", folder / "x");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--diff", "--cheat-file", "x/../cheat.dat"}), 2);
    EXPECT_NE(readfile(folder / "stderr.out").find("needs a cheat file reached without a link"), std::string::npos);
    fs::create_directory(folder / "plain");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--diff", "--cheat-file", "plain/../cheat.dat"}), 0);
    EXPECT_EQ(readfile(folder / "console.out").rfind("--- a/cheat.dat\n", 0), 0u);
}

// vettle check: one line a finding, then a summary whose words say what
// was found; the exit code follows what is shown.
TEST(Check, SummaryExitCodesAndTheChecksChosen) {
    const std::string games = "Name:     Description:\npacman    \"Pac-Man (Midway)\"\ndkong     \"Donkey Kong\"\n";
    const std::string clean = "; [ Pac-Man (Midway) ]\n:pacman:00000000:4E14:00000003:FFFFFFFF:Lives\n";
    const std::string warning = "; [ Pac-Man (Midway) ]\n:pacman:00000000:0000:00000003:FFFFFFFF:zero\n";
    const std::string masks = "; [ Pac-Man (Midway) ]\n:pacman:00000000:4E14:00000003:0000FFFF:a\n"
                              ":pacman:00000000:4E15:00000003:000000FF:b\n";
    const std::string errors = "; [ Pac-Man (Midway) ]\n:pacman:0000000a:4E14:00000003:FFFFFFFF:a\n"
                               ":pacmanx:00000000:4E14:00000003:FFFFFFFF:b\n";
    const struct {
        const char* name;
        std::string cheats;
        std::vector<std::string> arguments;
        int code;
        const char* last;  // the last line of standard output
    } runs[] = {
        {"clean", clean, {}, 0, "All checks passed (1 file).\n"},
        {"warnings do not fail", warning, {}, 0, "Found 1 warning in 1 file.\n"},
        {"the masks are off by default", masks, {}, 0, "All checks passed (1 file).\n"},
        {"--extend-select turns them on", masks, {"--extend-select", "suspect-mask"}, 1,
         "Found 2 errors in 1 file.\n"},
        {"--select replaces the set", errors, {"--select", "field-format"}, 1,
         "Found 1 error in 1 file (1 fixable with --fix).\n"},
        {"--ignore wins over --select", errors, {"--select=ALL", "--ignore", "field-format,no-cheat-entries"}, 1,
         "Found 2 errors in 1 file (1 fixable with --fix).\n"},
        {"both severities", errors + warning, {}, 1, "Found 3 errors and 1 warning in 1 file (2 fixable with --fix).\n"},
        {"--exit-zero", errors, {"--exit-zero"}, 0, "Found 3 errors in 1 file (2 fixable with --fix).\n"},
        {"--quiet", errors, {"-q"}, 1, nullptr},
        {"notes are never counted", clean, {"--extend-select", "no-cheat-entries"}, 0, "All checks passed (1 file).\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        fs::path folder = prepare("no-findings", "check-summary");
        writefile(folder / "listfull.txt", games);
        writefile(folder / "cheat.dat", run.cheats);
        std::vector<std::string> arguments = {"check", "--game-list", "listfull.txt"};
        arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
        EXPECT_EQ(runvettle(folder, arguments), run.code);
        std::string output = readfile(folder / "console.out");
        if (run.last == nullptr) {
            EXPECT_EQ(output.find("Found"), std::string::npos) << output;
            EXPECT_NE(output.find("[field-format]"), std::string::npos) << output;
        } else {
            EXPECT_GE(output.size(), hosttext(run.last).size());
            EXPECT_EQ(output.substr(output.size() - std::min(output.size(), hosttext(run.last).size())), hosttext(run.last))
                << output;
        }
        EXPECT_FALSE(fs::exists(folder / "cheatscanresults.txt"));
    }
}

// What vettle check refuses before it prints anything, and how.
TEST(Check, PathsAndListsItCannotUse) {
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* says;
    } runs[] = {
        {{"check", "--game-list", "listfull.txt", "missing.dat"}, 3,
         "vettle: error: failed to read from 'missing.dat'. There is no such file or folder.\n"},
        {{"check", "--game-list", "listfull.txt", "empty"}, 3,
         "vettle: error: failed to read from 'empty'. It holds no cheat file (*.dat).\n"},
        {{"check", "cheat.dat"}, 2,
         "vettle: 'vettle check' needs a game list: --game-list FILE, --emulator PROGRAM, or game-list in "
         "vettle.toml\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "-", "-"}, 2,
         "vettle: standard input cannot be both the cheat file '-' and the game list '--game-list -'\n"
         "Try 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--selekt", "zero-value"}, 2,
         "vettle: unknown option '--selekt'; did you mean '--select'?\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--ignore", "zero-valu"}, 2,
         "vettle: unknown check 'zero-valu' in --ignore; did you mean 'zero-value'?\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--output-format", "jsonlines"}, 2,
         "vettle: unknown output format 'jsonlines' in --output-format; did you mean 'json-lines'?\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--dialect", "fbneoo"}, 2,
         "vettle: unknown dialect 'fbneoo' in --dialect; did you mean 'fbneo'?\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--dialect=mame"}, 2,
         "vettle: unknown dialect 'mame' in --dialect; did you mean 'mame2003-plus'?\nTry 'vettle --help'.\n"},
        {{"check", "--game-list", "listfull.txt", "--diff", "--fix"}, 2,
         "vettle: option '--diff' cannot be used with '--fix'\nTry 'vettle --help'.\n"},
        {{"rule", "suspectmask"}, 2,
         "vettle: unknown check 'suspectmask' in 'vettle rule'; did you mean 'suspect-mask'?\nTry 'vettle --help'.\n"},
        {{"rule"}, 2, "vettle: 'vettle rule' takes one check's name, or '--all'\nTry 'vettle --help'.\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.says);
        fs::path folder = prepare("no-findings", "check-refusals");
        fs::create_directory(folder / "empty");
        writefile(folder / "empty" / "notes.txt", "no cheats here\n");
        EXPECT_EQ(runvettle(folder, run.arguments), run.code);
        EXPECT_EQ(readfile(folder / "console.out"), "");
        EXPECT_EQ(readfile(folder / "stderr.out"), hosttext(run.says));
    }
}

// vettle check writes no input, no pipe and no file twice: refused before
// anything is written, the inputs as they were.
TEST(Check, NoInputIsEverWrittenNorAFileCheckedTwice) {
    const struct {
        std::vector<std::string> arguments;
        const char* stdoutto;  // standard output is this file of the folder, or the console
        const char* says;
    } runs[] = {
        {{"--write-baseline", "cheat.dat", "cheat.dat"}, nullptr,
         "vettle: error: failed to read from 'cheat.dat'. It is the same file as 'cheat.dat', which is only ever read.\n"},
        {{"--write-baseline", "linked", "cheat.dat"}, nullptr,
         "vettle: error: failed to read from 'linked'. It is the same file as 'cheat.dat', which is only ever read.\n"},
        {{"--write-baseline", "listfull.txt", "cheat.dat"}, nullptr,
         "vettle: error: failed to read from 'listfull.txt'. It is the same file as 'listfull.txt', which is only ever "
         "read.\n"},
        {{"cheat.dat"}, "cheat.dat",
         "vettle: error: failed to read from 'cheat.dat'. It is standard output, which carries the findings; an input "
         "is only ever read.\n"},
        {{"--fix", "--baseline", "cheat.dat", "cheat.dat"}, nullptr,
         "vettle: error: failed to read from 'cheat.dat'. It is the same file as 'cheat.dat', which is only ever read.\n"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.says);
        if (E2E_CMD && (run.stdoutto != nullptr || run.arguments[1] == "linked")) continue;  // links, and redirection under cmd
        fs::path folder = prepare("every-finding", "check-refused");
        if (!E2E_CMD) fs::create_symlink("cheat.dat", folder / "linked");
        std::vector<std::string> arguments = {"check", "--game-list", "listfull.txt"};
        arguments.insert(arguments.end(), run.arguments.begin(), run.arguments.end());
        std::string before = readfile(folder / "cheat.dat");
        if (run.stdoutto == nullptr) {
            EXPECT_EQ(runvettle(folder, arguments), 3);
            EXPECT_EQ(readfile(folder / "stderr.out"), hosttext(run.says));
        } else {
            std::string command = "./" + installvettle(folder).string();
            for (const std::string& argument : arguments) command += " '" + argument + "'";
            command += " >> " + std::string(run.stdoutto) + " 2> stderr.out";
            fs::path previous = fs::current_path();
            fs::current_path(folder);
            EXPECT_EQ(runcommand(command.c_str()).exitcode, 3);
            fs::current_path(previous);
            EXPECT_EQ(readfile(folder / "stderr.out"), run.says);
        }
        EXPECT_EQ(readfile(folder / "cheat.dat"), before);
        EXPECT_EQ(readfile(folder / "listfull.txt"), readfile(casefolder("every-finding") / "listfull.txt"));
    }
    if (E2E_CMD) return;
    // A pipe is never opened: named, or in a folder.
    fs::path folder = prepare("every-finding", "check-pipes");
    fs::create_directory(folder / "cheats");
    fs::copy_file(folder / "cheat.dat", folder / "cheats" / "cheat.dat");
    ASSERT_EQ(runcommand(("mkfifo '" + (folder / "cheats" / "z.dat").string() + "' '" + (folder / "pipe.dat").string() +
                          "' '" + (folder / "pipe.txt").string() + "'")
                             .c_str())
                  .exitcode,
              0);
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "pipe.dat"}), 3);
    EXPECT_EQ(readfile(folder / "console.out"), "");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--write-baseline",
                                                         "pipe.txt", "cheat.dat"}),
              3);
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "cheats"}), 1);
    EXPECT_NE(readfile(folder / "stderr.out").find("leaving out 'cheats/z.dat': it is not a file"), std::string::npos);
    // The same file twice, by two names: checked once, patched once.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--diff", "cheats",
                                                         "cheats/cheat.dat", "./cheats/cheat.dat"}),
              1);
    std::string patch = readfile(folder / "console.out");
    EXPECT_EQ(patch.find("+++ b/cheats/cheat.dat"), patch.rfind("+++ b/cheats/cheat.dat"));
    // A baseline written through a link keeps the link, and a run that
    // fails keeps the baseline it had.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--write-baseline",
                                                         "known.txt", "cheat.dat"}),
              1);
    std::string known = readfile(folder / "known.txt");
    fs::create_symlink("known.txt", folder / "link.txt");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--baseline", "link.txt",
                                                         "--write-baseline", "link.txt", "cheat.dat", "missing.dat"}),
              3);
    EXPECT_EQ(readfile(folder / "known.txt"), known);
    EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
    // What standard input is called in a patch is held to a patch's names.
    writefile(folder / "stdin", readfile(folder / "cheat.dat"));
    for (const char* name : {"../x.dat", "/abs/x.dat", "a\nb.dat"}) {
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--diff",
                                                             "--stdin-filename", name, "-"}),
                  2)
            << name;
    }
}

// Standard input is read whole, then checked as a file of its own name.
TEST(Check, StandardInputWithItsName) {
    fs::path folder = prepare("every-finding", "check-stdin");
    fs::rename(folder / "cheat.dat", folder / "stdin");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "-",
                                                         "--stdin-filename", "cheats/cheat.dat"}),
              1);
    std::string output = readfile(folder / "console.out");
    EXPECT_NE(output.find(hosttext("cheats/cheat.dat:1:2: error: shortname 'galaga' stands before the first title line")),
              std::string::npos)
        << output;
    EXPECT_NE(output.find(hosttext("cheats/cheat.dat:21:512: warning: possible illegal zero address or mask "
                                   "[zero-value]\n")),
              std::string::npos);
}

// Suppressions hide what they name on their next line, or in the whole
// file; those that hide nothing are told where they stand.
TEST(Check, SuppressionsInTheFile) {
    fs::path folder = prepare("no-findings", "check-suppressions");
    writefile(folder / "listfull.txt", "Name:     Description:\npacman    \"Pac-Man (Midway)\"\n");
    writefile(folder / "cheat.dat",
              "; vettle: ignore-file[unneeded-fields]\n"
              "; [ Pac-Man (Midway) ]\n"
              "; vettle: ignore[zero-value, field-format]\n"
              ";   another comment in between\n"
              ":pacman:00000000:0000:0000000g:FFFFFFFF:hidden: zero and field\n"
              ":pacman:00000000:0000:00000003:FFFFFFFF:shown: the next line only\n"
              "; vettle: ignore[zero-value]\n"
              "\n"
              ":pacman:00000000:0000:00000003:FFFFFFFF:shown: a blank line came first\n"
              "; vettle:ignore[suspect-mask,zero-valeu]\n"
              ":pacman:60000000:1234:00000000:00000000:unneeded, hidden in the whole file\n");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt"}), 0);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("cheat.dat:6:1: warning: possible illegal zero address or mask [zero-value]\n"
                       "cheat.dat:7:18: warning: the suppression of 'zero-value' hides nothing [unused-suppression]\n"
                       "cheat.dat:9:1: warning: possible illegal zero address or mask [zero-value]\n"
                       "cheat.dat:10:30: warning: 'zero-valeu' is no check, so its suppression hides nothing; did you "
                       "mean 'zero-value'? [unused-suppression]\n"
                       "\n"
                       "Found 4 warnings in 1 file.\n"));
    // One that names nothing is told; one without its ']' still hides.
    writefile(folder / "cheat.dat", "; [ Pac-Man (Midway) ]\n; vettle: ignore[ ]\n"
                                    ":pacman:00000000:1234:00000003:FFFFFFFF:x\n; vettle: ignore[zero-value\n"
                                    ":pacman:00000000:0000:00000003:FFFFFFFF:hidden\n");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt"}), 0);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("cheat.dat:2:18: warning: the suppression names no check, so it hides nothing "
                       "[unused-suppression]\n\nFound 1 warning in 1 file.\n"));
    writefile(folder / "cheat.dat",
              "; vettle: ignore-file[unneeded-fields]\n; [ Pac-Man (Midway) ]\n; vettle: ignore[zero-value, field-format]\n"
              ";   another comment in between\n:pacman:00000000:0000:0000000g:FFFFFFFF:hidden: zero and field\n"
              ":pacman:00000000:0000:00000003:FFFFFFFF:shown: the next line only\n; vettle: ignore[zero-value]\n\n"
              ":pacman:00000000:0000:00000003:FFFFFFFF:shown: a blank line came first\n"
              "; vettle:ignore[suspect-mask,zero-valeu]\n"
              ":pacman:60000000:1234:00000000:00000000:unneeded, hidden in the whole file\n");
    // A suppression of a check that is not selected is never told.
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--select",
                                                         "unused-suppression,field-format"}),
              0);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("cheat.dat:10:30: warning: 'zero-valeu' is no check, so its suppression hides nothing; did you "
                       "mean 'zero-value'? [unused-suppression]\n\nFound 1 warning in 1 file.\n"));
}

// --fix writes the certain fixes in place and shows what remains: a second
// check finds nothing fixable; the file keeps its permissions, its line
// ends and every other byte; a file it may not write is left as it is.
TEST(Check, FixWritesInPlaceAndRefusesWhatItMayNotWrite) {
    fs::path folder = prepare("diff-fixes", "check-fix");
    std::string crlf;
    for (char c : readfile(folder / "cheat.dat")) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    writefile(folder / "cheat.dat", crlf);
    fs::permissions(folder / "cheat.dat", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::vector<std::string> check = {"check", "--game-list", "listfull.txt"};
    auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), check.begin(), check.end());
        return more;
    };
    ASSERT_EQ(runvettle(folder, with({"--diff"})), 1);
    std::string patch = readfile(folder / "console.out");
    EXPECT_EQ(runvettle(folder, with({"--fix"})), 1);
    std::string output = readfile(folder / "console.out");
    EXPECT_NE(output.find(hosttext("\nFixed ")), std::string::npos) << output;
    std::string fixed = readfile(folder / "cheat.dat");
    EXPECT_NE(fixed, crlf);
    EXPECT_EQ(std::count(fixed.begin(), fixed.end(), '\r'), std::count(crlf.begin(), crlf.end(), '\r'));
    EXPECT_EQ(fixed.size() - std::count(fixed.begin(), fixed.end(), '\n'),
              fixed.size() - std::count(crlf.begin(), crlf.end(), '\n'))
        << "no line added or removed";
    if (!E2E_CMD) {
        EXPECT_EQ(fs::status(folder / "cheat.dat").permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        // The patch of --diff makes the same file.
        writefile(folder / "fixes.diff", patch);
        writefile(folder / "original.dat", crlf);
        fs::rename(folder / "original.dat", folder / "cheat.dat.orig");
        EXPECT_EQ(runcommand(("patch -s -o - '" + (folder / "cheat.dat.orig").string() + "' '" +
                              (folder / "fixes.diff").string() + "' > '" + (folder / "patched.dat").string() + "'")
                                 .c_str())
                      .exitcode,
                  0);
        EXPECT_EQ(readfile(folder / "patched.dat"), fixed);
        for (const char* made : {"fixes.diff", "cheat.dat.orig", "patched.dat"}) fs::remove(folder / made);
    }
    EXPECT_EQ(runvettle(folder, check), 1);
    EXPECT_EQ(readfile(folder / "console.out").find("fixable"), std::string::npos) << "a second check";
    EXPECT_EQ(runvettle(folder, with({"--fix"})), 1);
    EXPECT_NE(readfile(folder / "console.out").find(hosttext("\nFixed 0 findings.\n")), std::string::npos);
    EXPECT_EQ(readfile(folder / "cheat.dat"), fixed);
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_EQ(entry.path().filename().string().find(".new"), std::string::npos) << entry.path();
    }

    // What it may not write: exit 3 naming it, untouched; the others fixed.
    writefile(folder / "cheat.dat", crlf);
    writefile(folder / "other.dat", crlf);
    fs::permissions(folder / "cheat.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(runvettle(folder, with({"--fix", "cheat.dat", "other.dat"})), 3);
    EXPECT_NE(readfile(folder / "stderr.out").find("vettle: error: failed to write to 'cheat.dat'. It is read-only."),
              std::string::npos)
        << readfile(folder / "stderr.out");
    EXPECT_EQ(readfile(folder / "cheat.dat"), crlf);
    EXPECT_EQ(readfile(folder / "other.dat"), fixed);
    fs::permissions(folder / "cheat.dat", fs::perms::owner_write, fs::perm_options::add);
    if (!E2E_CMD) {
        fs::create_symlink("cheat.dat", folder / "linked.dat");
        EXPECT_EQ(runvettle(folder, with({"--fix", "linked.dat"})), 3);
        EXPECT_NE(readfile(folder / "stderr.out").find("It is reached through a link"), std::string::npos);
        fs::create_hard_link(folder / "cheat.dat", folder / "twice.dat");
        EXPECT_EQ(runvettle(folder, with({"--fix", "twice.dat"})), 3);
        EXPECT_NE(readfile(folder / "stderr.out").find("It has other names (hard links)"), std::string::npos);
        EXPECT_EQ(readfile(folder / "cheat.dat"), crlf);
    }

    // Standard input: the fixed text on standard output, findings on error.
    writefile(folder / "stdin", crlf);
    EXPECT_EQ(runvettle(folder, with({"--fix", "-", "--stdin-filename", "cheat.dat"})), 1);
    EXPECT_EQ(readfile(folder / "console.out"), fixed);
    EXPECT_NE(readfile(folder / "stderr.out").find(hosttext("\nFixed ")), std::string::npos);
}

// A config file found from a subfolder up to the repository's top, its
// per-file tables, and the line of what is wrong in it.
TEST(Check, TheConfigFile) {
    fs::path folder = prepare("no-findings", "check-config");
    fs::create_directories(folder / ".git");
    fs::create_directories(folder / "cheats");
    fs::create_directories(folder / "lists");
    fs::create_directories(folder / "sub");
    writefile(folder / "lists" / "arcade.txt", "Name:     Description:\npacman    \"Pac-Man (Midway)\"\n");
    writefile(folder / "lists" / "nes.txt", "Name:     Description:\nnes_smb   \"Super Mario Bros.\"\n");
    writefile(folder / "cheats" / "cheat.dat", "; [ Pac-Man (Midway) ]\n:pacman:00000000:0000:00000003:0000FFFF:x\n");
    writefile(folder / "cheats" / "cheatnes.dat", "; [ Super Mario Bros. ]\n:nes_smb:00000000:0000:00000003:FFFFFFFF:x\n");
    writefile(folder / "vettle.toml",
              "game-list = \"lists/arcade.txt\"\n"
              "extend-select = [\"suspect-mask\"]\n"
              "[per-file-game-list]\n\"**/cheatnes.dat\" = \"lists/nes.txt\"\n"
              "[per-file-ignores]\n\"cheats/cheatnes.dat\" = [\"zero-value\"]\n");
    // Run from the subfolder: the config above it is found.
    EXPECT_EQ(runvettle(folder / "sub", std::vector<std::string>{"check", "../cheats"}), 1);
    EXPECT_EQ(readfile(folder / "sub" / "console.out"),
              hosttext("../cheats/cheat.dat:2:32: error: extended field '0000FFFF' is a suspect mask [suspect-mask]\n"
                       "../cheats/cheat.dat:2:1: warning: possible illegal zero address or mask [zero-value]\n"
                       "\nFound 1 error and 1 warning in 2 files.\n"));
    // The command line's --select replaces the default set; extend-select
    // and ignore of both apply.
    EXPECT_EQ(runvettle(folder / "sub", std::vector<std::string>{"check", "--select", "field-format", "--ignore",
                                                                 "suspect-mask", "../cheats"}),
              0);
    EXPECT_EQ(readfile(folder / "sub" / "console.out"), hosttext("All checks passed (2 files).\n"));
    EXPECT_EQ(runvettle(folder / "sub", std::vector<std::string>{"check", "--isolated", "../cheats"}), 2);
    // Not above the repository's top.
    fs::remove_all(folder / ".git");
    fs::create_directories(folder / "sub" / ".git");
    EXPECT_EQ(runvettle(folder / "sub", std::vector<std::string>{"check", "../cheats"}), 2);
    fs::remove_all(folder / "sub" / ".git");
    const struct {
        const char* config;
        const char* says;
    } wrong[] = {
        {"game-list = \"lists/arcade.txt\"\nselec = [\"zero-value\"]\n",
         "vettle: ../vettle.toml:2: unknown key 'selec'; did you mean 'select'?\n"},
        {"game-list = 3\n", "vettle: ../vettle.toml:1: "},
        {"game-list = \"lists/arcade.txt\"\nignore = [\"zero-valu\"]\n", "vettle: ../vettle.toml:2: "},
    };
    for (const auto& c : wrong) {
        SCOPED_TRACE(c.config);
        writefile(folder / "vettle.toml", c.config);
        EXPECT_EQ(runvettle(folder / "sub", std::vector<std::string>{"check", "../cheats"}), 2);
        EXPECT_EQ(readfile(folder / "sub" / "stderr.out").rfind(hosttext(c.says), 0), 0u) << readfile(folder / "sub" / "stderr.out");
    }
}

// A dialect from the command line, or per file from the config: the same
// file loses a cheat to one emulator and not to the classic checks, and
// the title checks are off by default.
TEST(Check, DialectsFromTheCommandLineAndTheConfig) {
    fs::path folder = prepare("no-findings", "check-dialects");
    fs::create_directories(folder / ".git");
    writefile(folder / "listfull.txt", "Name:     Description:\npacman    \"Pac-Man (Midway)\"\n");
    const std::string cheats = "; [ Pac-Man ]\n:pacman:00000000:4E14:00000003:FFFFFFFF:a\n\n"
                               ":pacman:00000000:4E15:00000003:FFFFFFFF:b\n";
    writefile(folder / "cheat.dat", cheats);
    writefile(folder / "other.dat", cheats);
    const std::string lost = "FinalBurn Neo never reads this line: its reading of 'pacman' ended earlier, at a blank "
                             "line (line 3) [unloaded-cheat]\n";
    const std::string ended = ":3:1: note: FinalBurn Neo's reading of 'pacman' ends here [unloaded-cheat]\n";
    const std::string title = ":1:1: error: title 'Pac-Man' differs from the emulator's title 'Pac-Man (Midway)' of "
                              "'pacman' [title-mismatch]\n";
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "cheat.dat"}), 1);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("cheat.dat" + title + "\nFound 1 error in 1 file (1 fixable with --fix).\n"));
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--dialect", "fbneo",
                                                         "cheat.dat"}),
              1);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("cheat.dat:4:2: error: " + lost + "cheat.dat" + ended + "\nFound 1 error in 1 file.\n"));
    writefile(folder / "vettle.toml", "game-list = \"listfull.txt\"\ndialect = \"mame2003-plus\"\n"
                                      "[per-file-dialect]\n\"other.dat\" = \"fbneo\"\n");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "cheat.dat", "other.dat"}), 1);
    EXPECT_EQ(readfile(folder / "console.out"),
              hosttext("other.dat:4:2: error: " + lost + "other.dat" + ended + "\nFound 1 error in 2 files.\n"));
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--dialect", "classic", "--extend-select",
                                                         "unloaded-cheat", "cheat.dat", "other.dat"}),
              1);
    EXPECT_EQ(readfile(folder / "console.out"), hosttext("cheat.dat" + title + "other.dat" + title +
                                                         "\nFound 2 errors in 2 files (2 fixable with --fix).\n"));
    // A rename keeps the leader that FinalBurn Neo's own lists drop.
    writefile(folder / "nes.txt", "Name:     Description:\nsmb       \"Super Mario Bros.\"\n");
    writefile(folder / "cheatnes.dat", "; [ Super Mario Bros. ]\n:nes_smbx:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n");
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--dialect", "fbneo", "--game-list", "nes.txt",
                                                         "--fix", "cheatnes.dat"}),
              0);
    EXPECT_EQ(readfile(folder / "cheatnes.dat"),
              "; [ Super Mario Bros. ]\n:nes_smb:00000000:SZXLKEVK:00000000:FFFFFFFF:x\n");
}

// The emulator's list of `games` games, every `longevery`th with a
// shortname longer than eight characters, and a cheat file naming each of
// them under its listed title.
std::string shortnameof(int game, int longevery) {
    return (longevery > 0 && game % longevery == 0 ? "longshortname" : "g") + std::to_string(game);
}

std::string gamelist(int games, int longevery = 0) {
    std::string text = "Name:             Description:\n";
    for (int i = 0; i < games; ++i) {
        std::string name = shortnameof(i, longevery);
        text += name + std::string(name.size() < 17 ? 18 - name.size() : 2, ' ') + "\"Game " + std::to_string(i) +
                "\"\n";
    }
    return text;
}

// The same list as -listxml prints it.
std::string gamelistxml(int games, int longevery) {
    std::string text = "<?xml version=\"1.0\"?>\n<mame build=\"0.250\">\n";
    for (int i = 0; i < games; ++i) {
        text += "\t<machine name=\"" + shortnameof(i, longevery) + "\">\n\t\t<description>Game " + std::to_string(i) +
                "</description>\n\t</machine>\n";
    }
    return text + "</mame>\n";
}

std::string cheatsfor(int games, int longevery = 0) {
    std::string text;
    for (int i = 0; i < games; ++i) {
        std::string number = std::to_string(i);
        text += "; [ Game " + number + " ]\n:" + shortnameof(i, longevery) + ":00000000:1000:00000001:FFFFFFFF:Lives\n";
    }
    return text;
}

TEST(Limits, TenThousandGames) {
    fs::path folder = prepare("ten-thousand-games");
    writefile(folder / "listfull.txt", gamelist(10000));
    writefile(folder / "cheat.dat", cheatsfor(10000));
    runandcompare(folder, "ten-thousand-games");
}

// Any number of games, with shortnames of any length, from the emulator
// and from a list of another format alike.
TEST(Limits, AnyNumberOfGamesWithLongShortnames) {
    fs::path folder = prepare("twenty-five-thousand-games");
    writefile(folder / "listfull.txt", gamelist(25000, 3));
    writefile(folder / "cheat.dat", cheatsfor(25000, 3));
    runandcompare(folder, "twenty-five-thousand-games");
    writefile(folder / "games.xml", gamelistxml(25000, 3));
    expectoutcome(folder, "twenty-five-thousand-games",
                  runvettle(folder, std::vector<std::string>{"--game-list", "games.xml"}));
}

// One game list in every form: each gives the console, the reports and the
// exit code of its -listfull twin, which the case runs as the emulator's.
TEST(GameLists, EveryFormGivesTheRunOfItsListfullTwin) {
    for (const char* form : {"listfull-utf16.txt", "listxml.xml", "listxml-old-utf16be.xml", "logiqx.dat",
                             "clrmamepro.dat", "listinfo.txt", "-", "stdin"}) {
        SCOPED_TRACE(form);
        fs::path folder = prepare("game-list-formats", std::string("form-") + (*form == '-' ? "-" : form));
        std::string list = form;
        if (list == "-") {
            fs::copy_file(folder / "listxml.xml", folder / "stdin");
        } else if (list == "stdin") {
            // Blanks before the markup, however many; UTF-16 without a mark.
            std::string text = std::string(10000, '\n') + readfile(folder / "clrmamepro.dat"), wide;
            for (std::size_t i = 0; i < text.size(); ++i) {
                auto c = static_cast<unsigned char>(text[i]);
                unsigned unit = c < 0x80 ? c : ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[++i]) & 0x3Fu);
                wide += static_cast<char>(unit & 0xFF);
                wide += static_cast<char>(unit >> 8);
            }
            writefile(folder / "stdin", wide);
            list = "-";
        }
        expectoutcome(folder, "game-list-formats", runvettle(folder, std::vector<std::string>{"--game-list", list}));
        fs::remove(folder / "stdin");
    }
}

// A game without a description has an empty title; the control characters
// a reference puts in a name or title of a structured list are blanks.
TEST(GameLists, TitlesOfStructuredListsAreOneLine) {
    fs::path folder = prepare("empty-cheat-file", "one-line-titles");
    writefile(folder / "games.xml", "<mame><machine name=\"a&#9;\"/><machine name=\"b\"><description>B&#10;c&#13;[2J"
                                    "</description></machine></mame>");
    writefile(folder / "games.dat", "game ( name \"a\\t\" )\ngame ( name b description \"B\\nc\\x1B[2J\" )\n");
    for (const char* list : {"games.xml", "games.dat"}) {
        SCOPED_TRACE(list);
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--game-list", list}), 0);
        EXPECT_NE(readfile(folder / "console.out").find(hosttext("\n; a         [  ]\n; b         [ B c [2J ]\n")),
                  std::string::npos)
            << readfile(folder / "console.out");
    }
}

// A list given with --game-list that is not one: the run stops before a
// report is touched, naming the place and the reason.
struct unreadablelist {
    const char* name;
    std::string content;
    const char* says;  // where and why
};

void expectunreadable(const unreadablelist& list) {
    SCOPED_TRACE(list.name);
    fs::path folder = prepare("no-findings", "not-a-list");
    writefile(folder / list.name, list.content);
    writefile(folder / "secret.txt", "TOPSECRET\n");
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
        writefile(folder / report, "the previous run's report\n");
    }
    EXPECT_EQ(runvettle(folder, std::vector<std::string>{"--game-list", list.name}), 5);
    std::string console = readfile(folder / "console.out");
    EXPECT_NE(console.find(hosttext("\nFailed to read the game list '" + std::string(list.name) + "'" + list.says +
                                    ".\nNothing was checked.\n\n")),
              std::string::npos)
        << console;
    EXPECT_EQ(console.find("TOPSECRET"), std::string::npos);
    EXPECT_EQ(readfile(folder / "cheatscanresults.txt"), "the previous run's report\n");
    EXPECT_EQ(readfile(folder / "cheatscanwarnings.txt"), "the previous run's report\n");
}

// A list that is not one stops the run before a report is touched, naming
// the place and the reason; a file an entity names is never read.
TEST(GameLists, AListThatIsNotOneStopsTheRunBeforeAnyReport) {
    std::string bomb = "<!DOCTYPE mame [\n<!ENTITY a \"aaaaaaaaaa\">\n";
    for (char level = 'b'; level <= 'j'; ++level) {
        std::string entity = "&" + std::string(1, static_cast<char>(level - 1)) + ";";
        std::string ten;
        for (int i = 0; i < 10; ++i) ten += entity;
        bomb += "<!ENTITY " + std::string(1, level) + " \"" + ten + "\">\n";
    }
    bomb += "]>\n<mame><machine name=\"a\"><description>A</description><year>&j;</year></machine></mame>\n";
    const std::string megabyte(1 << 20, 'a');
    std::string deep = "<mame>";
    for (int i = 0; i < 1000; ++i) deep += "<x>";
    const unreadablelist lists[] = {
        {"cut.xml", "<mame>\n<machine name=\"a\"><description>A</description>\n", " at line 3, column 1: no element found"},
        {"mismatched.xml", "<mame>\n<machine name=\"a\"></game>\n</mame>\n", " at line 2, column 21: mismatched tag"},
        {"undefined.xml", "<mame><machine name=\"a\"><description>&bogus;</description></machine></mame>",
         " at line 1, column 38: undefined entity"},
        {"external.xml",
         "<!DOCTYPE mame [<!ENTITY s SYSTEM \"secret.txt\">]>\n<mame><machine name=\"a\"><description>&s;"
         "</description></machine></mame>\n",
         " at line 2, column 38: an external entity, which is never read"},
        {"externaldtd.xml",
         "<!DOCTYPE mame SYSTEM \"secret.txt\">\n<mame><machine name=\"a\"><description>&s;</description>"
         "</machine></mame>\n",
         " at line 2, column 38: entity 's' is not defined here (external DTDs are never read)"},
        {"bomb.xml", bomb, " at line 13, column 59: limit on input amplification factor (from DTD and entities) breached"},
        {"software.xml", "<softwarelist name=\"nes\"/>\n",
         " at line 1, column 1: the root element is 'softwarelist', not 'mame' or 'datafile'"},
        {"longtag.xml", "<mame>\n<machine name=\"" + megabyte + "\"/></mame>\n",
         " at line 2, column 1: a tag or other markup longer than 1 MB"},
        {"longtext.xml", "<mame>\n<machine name=\"a\"><description>" + megabyte + "b</description></machine></mame>",
         " at line 2, column 19: a description longer than 1 MB"},
        {"deep.xml", deep, " at line 1, column 3004: elements nested deeper than 1000"},
        {"open.dat", "game (\n\tname a\n\tdescription \"A\"\n", " at line 4, column 1: a block that is never closed"},
        {"string.dat", "game (\n\tname a\n\tdescription \"A )\n", " at line 3, column 14: a string that is never closed"},
        {"stray.dat", "game ( name a )\n)\n", " at line 2, column 1: a ')' that closes no block"},
        {"word.dat", "game ( name a )\nresource name b\n", " at line 2, column 1: 'resource' is not followed by '('"},
        {"empty.txt", "", ": it holds no game"},
        {"blank.xml", std::string(5000, '\n') + "\t \r\n", ": it holds no game"},
        {"header.txt", "Name:     Description:\n", ": it holds no game"},
        {"utf32.xml", std::string("\xFF\xFE\0\0<\0\0\0", 8),
         " at line 1, column 1: a UTF-32 byte-order mark; save the list as UTF-8 or UTF-16"},
    };
    for (const auto& list : lists) expectunreadable(list);
}

// What a list holds bounds what reading it takes: a shortname past the
// limit stops the run, even one a DTD's default gives every game that
// names none, which would multiply a small file.
TEST(GameLists, ShortnamesPastTheLimitStopTheRun) {
    std::string games;
    for (int i = 0; i < 4000; ++i) games += "<game></game>\n";
    const unreadablelist lists[] = {
        {"defaultname.xml",
         "<!DOCTYPE mame [<!ATTLIST game name CDATA \"" + std::string(500000, 'a') + "\">]>\n<mame>\n" + games +
             "</mame>\n",
         " at line 3, column 1: a shortname longer than 64 bytes"},
        {"longname.dat", "game (\n\tname " + std::string(65, 'n') + "\n)\n",
         " at line 2, column 7: a shortname longer than 64 bytes"},
    };
    for (const auto& list : lists) expectunreadable(list);
}

// Places are in the file as it stands: blanks dropped before a list's
// first character still count (XML, like an editor, takes a lone CR for a
// line end), and a word without its block is named where it stands.
TEST(GameLists, PlacesAreThoseOfTheFileAsItStands) {
    const unreadablelist lists[] = {
        {"lines.xml", "\n\n\n<mame><machine name=\"a\"/></mame>\n<extra/>\n",
         " at line 5, column 1: junk after document element"},
        {"columns.xml", "\n \t<mame><machine name=\"a\"></game></mame>\n",
         " at line 2, column 29: mismatched tag"},
        {"crlf.xml", "\r\n\r\n  <mame>\r\n</game>\r\n", " at line 4, column 3: mismatched tag"},
        {"cr.xml", "\r\r <mame></game>", " at line 3, column 10: mismatched tag"},
        {"lines.dat", "\n\n  game ( name a )\n  foo bar\n", " at line 4, column 3: 'foo' is not followed by '('"},
        {"columns.dat", "\r\n\t game ( name a ) foo", " at line 2, column 19: 'foo' is not followed by '('"},
        {"word.dat", "game ( name a description \"A\" )\nfoo bar\n",
         " at line 2, column 1: 'foo' is not followed by '('"},
    };
    for (const auto& list : lists) expectunreadable(list);
}

TEST(HostileInput, FiftyMegabytesWithoutALineFeed) {
    fs::path folder = prepare("fifty-megabytes-one-line");
    writefile(folder / "cheat.dat", std::string(50 * 1024 * 1024, 'x'));
    runandcompare(folder, "fifty-megabytes-one-line");
}

TEST(HostileInput, RandomBinaryBytes) {
    fs::path folder = prepare("random-bytes");
    std::string cheats, games = "Name:             Description:\n";
    unsigned state = 12345;
    auto next = [&state] { return state = state * 1103515245u + 12345u, static_cast<char>(state >> 16); };
    for (int i = 0; i < 300000; ++i) cheats += next();
    for (int i = 0; i < 50000; ++i) games += next();
    writefile(folder / "cheat.dat", cheats);
    writefile(folder / "listfull.txt", games);
    EXPECT_EQ(runvettle(folder), 0);
    std::string console = readfile(folder / "console.out");
    EXPECT_NE(console.find(hosttext("\nCheat file check completed\n")), std::string::npos);
    EXPECT_EQ(readfile(folder / "stderr.out"), "");
}

// More lines with high bytes than the first pass notes: the scan reads on
// from the first one not noted, and every line is reported once, in order.
TEST(HostileInput, ThousandsOfLinesWithHighBytes) {
    fs::path folder = prepare("empty-game-list", "many-high-bytes");
    std::string cheats;
    for (int i = 1; i <= 9000; ++i) cheats += "\xE9 line " + std::to_string(i) + "\n";
    writefile(folder / "cheat.dat", cheats);
    EXPECT_EQ(runvettle(folder), 0);
    std::string results = readfile(folder / "cheatscanresults.txt");
    std::size_t at = 0;
    for (int i = 1; i <= 9000; ++i) {
        std::string n = std::to_string(i);
        std::string entry = "Line " + n + " contains illegal non-standard characters (>0x7f) :" + hosttext("\n\xE9 line " + n + "\n\n");
        std::size_t found = results.find(entry, at);
        ASSERT_NE(found, std::string::npos) << "line " << i;
        at = found + entry.size();
    }
    EXPECT_EQ(results.find("contains illegal", at), std::string::npos);
}

// An emulator that cannot be started stops the run before any report is
// touched, as an empty list would pass every cheat off as one to remove.
// Through the interpreter, its codes for a command it could not run read
// the same whoever gives them; a named program's exit code is its own.
TEST(Faults, AnEmulatorThatCannotBeStartedStopsTheRun) {
    const std::string classic = "Importing data from MAME\nError can't get output from MAME.\n"
                                "Check the MAME.EXE filename and path are correct.\nNothing was checked.\n\n";
    auto nomame = [](const fs::path& folder) { return fs::remove(folder / "mame.exe"); };
    // A text file, not a program, that the host still finds by its name.
    auto notaprogram = [](const fs::path& folder) {
        fs::remove(folder / "mame.exe");
        writefile(folder / "mame.exe", "not a program\n");
        fs::permissions(folder / "mame.exe", fs::perms::owner_read | fs::perms::owner_write);
        return !E2E_CMD;
    };
    auto exitswith = [](const char* code) {
        return [code](const fs::path& folder) {
            writefile(folder / "emulator-exit", std::string(code) + "\n");
            return true;
        };
    };
    const struct {
        const char* what;
        std::function<bool(const fs::path&)> setup;  // false: this host cannot
        std::vector<std::string> arguments;
        int code;
        std::string console;  // found in standard output
        std::string errors;   // found in standard error
    } runs[] = {
        {"no mame.exe", nomame, {}, 5, classic, ""},
        {"mame.exe is no program", notaprogram, {}, 5, classic, ""},
        {"mame.exe gives the interpreter's code itself", exitswith(E2E_CMD ? "9009" : "127"), {}, 5, classic, ""},
        {"no mame.exe, with --diagnostics", nomame, {"--diagnostics"}, 5, "",
         "vettle: error: can't run 'mame.exe': not found; nothing was checked\n"},
        {"a named program that is not there", nomame, {"--emulator", "nowhere/mame.exe"}, 5,
         "Error can't run 'nowhere/mame.exe': not found.\nCheck the emulator's filename and path are correct.\n"
         "Nothing was checked.\n\n",
         ""},
        {"a named program that is no program, with --diagnostics", notaprogram,
         {"--diagnostics", "--emulator", "./mame.exe"}, 5, "",
         "vettle: error: can't run './mame.exe': Permission denied; nothing was checked\n"},
        {"a named program's own 127", exitswith("127"), {"--emulator", "mame.exe"}, 0,
         "MAME output successfully processed - current version supports 3 games\n", ""},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        fs::path folder = prepare("no-findings", "no-emulator");
        if (!run.setup(folder)) continue;
        for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
            writefile(folder / report, "the previous run's report\n");
        }
        EXPECT_EQ(runvettle(folder, run.arguments), run.code);
        bool stopped = run.code == 5;
        std::string console = readfile(folder / "console.out"), expected = hosttext(run.console);
        std::size_t at = console.find(expected);
        EXPECT_NE(at, std::string::npos) << console;
        if (stopped) {
            EXPECT_EQ(at + expected.size(), console.size()) << "the last words: " << console;
        }
        std::string errors = readfile(folder / "stderr.out");
        EXPECT_NE(errors.find(hosttext(run.errors)), std::string::npos) << errors;
        EXPECT_EQ(readfile(folder / "cheatscanresults.txt") == "the previous run's report\n", stopped);
        EXPECT_EQ(readfile(folder / "cheatscanwarnings.txt") == "the previous run's report\n", stopped);
        // Whether cmd.exe makes its redirection's file for a command it
        // cannot find is its own affair.
        if (!stopped || !E2E_CMD) {
            EXPECT_EQ(fs::exists(folder / "vettletemp.tmp"), stopped) << "left only when stopped";
        }
    }
}

// Root may write a read-only file, but nobody can open a folder for writing.
TEST(Faults, ResultsFileCannotBeCreated) {
    fs::path folder = prepare("results-unwritable");
    fs::create_directory(folder / "cheatscanresults.txt");
    runandcompare(folder, "results-unwritable");
}

// Every report opens before any is emptied: a warnings report that cannot
// be made leaves the last results as they are.
TEST(Faults, AReportThatCannotBeMadeEmptiesNone) {
    fs::path folder = prepare("no-findings", "warnings-unwritable");
    writefile(folder / "cheatscanresults.txt", "the previous run's report\n");
    fs::create_directory(folder / "cheatscanwarnings.txt");
    EXPECT_EQ(runvettle(folder), 3);
    EXPECT_NE(readfile(folder / "console.out").find("Failed to read from 'cheatscanwarnings.txt'."), std::string::npos);
    EXPECT_EQ(readfile(folder / "cheatscanresults.txt"), "the previous run's report\n");
    fs::remove(folder / "cheatscanresults.txt");
    EXPECT_EQ(runvettle(folder), 3);
    EXPECT_FALSE(fs::exists(folder / "cheatscanresults.txt")) << "made to find out, and left";
}

TEST(Faults, CheatFileThatIsAFolder) {
    fs::path folder = prepare("cheat-file-is-a-folder");
    fs::create_directory(folder / "cheat.dat");
    runandcompare(folder, "cheat-file-is-a-folder");
}

// A full disk must never pass for a completed check.
TEST(Faults, ReportsOnAFullDisk) {
    for (std::string report : {"results", "warnings"}) {
        std::string name = report + "-on-full-disk";
        fs::path folder = prepare(name);
        std::error_code failed;
        fs::create_symlink("/dev/full", folder / ("cheatscan" + report + ".txt"), failed);
        if (failed) GTEST_SKIP() << "no full-disk device to link the report to on this host";
        runandcompare(folder, name);
    }
}

}  // namespace
