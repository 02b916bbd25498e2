// Runs the built tool in a fresh folder beside the stand-in emulator and
// compares what it leaves with a case folder under tests/e2e/cases:
//   listfull.txt, cheat.dat    inputs, copied when present
//   emulator-exit              the stand-in's exit code (0 when absent), copied too
//   needs-setup                the case is run by a test below, not by itself
//   expected/console.txt       everything printed
//   expected/outcome           "exit N" and "temp remains" or "temp deleted"
//   expected/<report>.txt      each report that must exist, byte for byte
// Expected texts end their lines in LF; where the host writes text files
// with CR LF (Windows), they are compared with each LF turned into CR LF.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "main/host.h"

namespace {

namespace fs = std::filesystem;

fs::path casefolder(const std::string& name) { return fs::path(E2E_CASES) / name; }

// Text as the tool writes it on this host.
std::string hosttext(const std::string& text) {
    if (!E2E_CRLF) return text;
    std::string converted;
    for (char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

std::string readfile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writefile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// A fresh run folder with the stand-in and the case's inputs.
fs::path prepare(const std::string& name) {
    fs::path folder = fs::path(E2E_RUNS) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(STANDIN_PATH, folder / "mame.exe");
    for (const char* input : {"listfull.txt", "cheat.dat", "emulator-exit"}) {
        if (fs::exists(casefolder(name) / input)) fs::copy_file(casefolder(name) / input, folder / input);
    }
    return folder;
}

// vettle's exit code; its output lands in console.out and stderr.out. It
// runs as users run it: copied into the folder, started by name from there
// through the host's command interpreter.
int runvettle(const fs::path& folder) {
    fs::path program = fs::path(VETTLE_PATH).filename();
    fs::copy_file(VETTLE_PATH, folder / program, fs::copy_options::overwrite_existing);
    fs::path previous = fs::current_path();
    fs::current_path(folder);
    int code = runcommand((program.stem().string() + " > console.out 2> stderr.out").c_str());
    fs::current_path(previous);
    return code;
}

void runandcompare(const fs::path& folder, const std::string& name) {
    SCOPED_TRACE("case " + name);
    fs::path expected = casefolder(name) / "expected";
    int code = runvettle(folder);

    EXPECT_EQ(readfile(folder / "console.out"), hosttext(readfile(expected / "console.txt")));
    EXPECT_EQ(readfile(folder / "stderr.out"), "");
    bool tempremains = fs::exists(folder / "vettletemp.tmp");
    EXPECT_EQ("exit " + std::to_string(code) + "\ntemp " + (tempremains ? "remains\n" : "deleted\n"),
              readfile(expected / "outcome"));
    if (tempremains && fs::exists(folder / "listfull.txt")) {
        EXPECT_EQ(readfile(folder / "vettletemp.tmp"), readfile(folder / "listfull.txt"));
    }
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
        bool made = fs::is_regular_file(folder / report);  // not the /dev/full stand-in
        EXPECT_EQ(made, fs::exists(expected / report)) << report;
        if (made) {
            EXPECT_EQ(readfile(folder / report), hosttext(readfile(expected / report))) << report;
        }
    }
}

std::vector<std::string> plaincases() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(E2E_CASES)) {
        if (!fs::exists(entry.path() / "needs-setup")) names.push_back(entry.path().filename().string());
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

// The emulator's list of `games` games, and a cheat file naming each of them
// under its listed title.
std::string gamelist(int games) {
    std::string text = "Name:             Description:\n";
    for (int i = 0; i < games; ++i) {
        std::string name = "g" + std::to_string(i);
        text += name + std::string(18 - name.size(), ' ') + "\"Game " + std::to_string(i) + "\"\n";
    }
    return text;
}

std::string cheatsfor(int games) {
    std::string text;
    for (int i = 0; i < games; ++i) {
        std::string number = std::to_string(i);
        text += "; [ Game " + number + " ]\n:g" + number + ":00000000:1000:00000001:FFFFFFFF:Lives\n";
    }
    return text;
}

TEST(Limits, ExactlyTenThousandGamesFit) {
    fs::path folder = prepare("ten-thousand-games");
    writefile(folder / "listfull.txt", gamelist(10000));
    writefile(folder / "cheat.dat", cheatsfor(10000));
    runandcompare(folder, "ten-thousand-games");
}

TEST(Limits, MoreGamesThanFitStopTheRun) {
    fs::path folder = prepare("too-many-games");
    writefile(folder / "listfull.txt", gamelist(10001));
    runandcompare(folder, "too-many-games");
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

// The shell's 127 for a program it cannot find is not MAME's error code 1.
TEST(Faults, NoEmulatorGivesAnEmptyGameList) {
    fs::path folder = prepare("no-findings");
    fs::remove(folder / "mame.exe");
    EXPECT_EQ(runvettle(folder), 0);
    std::string console = readfile(folder / "console.out");
    EXPECT_EQ(console.find("Error can't get output"), std::string::npos);
    EXPECT_NE(console.find(hosttext("supports 0 games\n")), std::string::npos);
}

// Root may write a read-only file, but nobody can open a folder for writing.
TEST(Faults, ResultsFileCannotBeCreated) {
    fs::path folder = prepare("results-unwritable");
    fs::create_directory(folder / "cheatscanresults.txt");
    runandcompare(folder, "results-unwritable");
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
