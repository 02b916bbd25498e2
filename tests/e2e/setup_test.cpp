// Cases whose run folder needs more than copied files.

#include <gtest/gtest.h>

#include <string>

#include "e2erun.h"

namespace {

std::string gamelist(int games) {
    std::string text = "Name:             Description:\n";
    for (int i = 0; i < games; ++i) {
        std::string name = "g" + std::to_string(i);
        text += name + std::string(18 - name.size(), ' ') + "\"Game " + std::to_string(i) + "\"\n";
    }
    return text;
}

// One block a game, each naming the game and its title as listed.
std::string cheatsfor(int games) {
    std::string text;
    for (int i = 0; i < games; ++i) {
        std::string number = std::to_string(i);
        text += "; [ Game " + number + " ]\n:g" + number + ":00000000:1000:00000001:FFFFFFFF:Lives\n";
    }
    return text;
}

TEST(SetupCase, ResultsFileCannotBeCreated) {
    // Root may write a read-only file, but nobody can open a folder for writing.
    auto folder = e2e::prepare("results-unwritable");
    e2e::fs::create_directory(folder / "cheatscanresults.txt");
    e2e::runandcompare(folder, "results-unwritable");
}

TEST(SetupCase, MoreGamesThanFitStopTheRun) {
    auto folder = e2e::prepare("too-many-games");
    e2e::writefile(folder / "listfull.txt", gamelist(10001));
    e2e::runandcompare(folder, "too-many-games");
}

TEST(SetupCase, ExactlyTenThousandGamesFit) {
    auto folder = e2e::prepare("ten-thousand-games");
    e2e::writefile(folder / "listfull.txt", gamelist(10000));
    e2e::writefile(folder / "cheat.dat", cheatsfor(10000));
    e2e::runandcompare(folder, "ten-thousand-games");
}

}  // namespace

namespace {

const std::string completed =
    "\nCheat file check completed\nResults saved to cheatscanresults.txt and 'warnings' to "
    "cheatscanwarnings.txt\n";

bool endswith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(HostileInput, FiftyMegabytesWithoutALineFeed) {
    auto folder = e2e::prepare("fifty-megabytes-one-line");
    e2e::writefile(folder / "cheat.dat", std::string(50 * 1024 * 1024, 'x'));
    e2e::runandcompare(folder, "fifty-megabytes-one-line");
}

TEST(HostileInput, RandomBinaryBytes) {
    auto folder = e2e::prepare("random-bytes");
    std::string cheats, games = "Name:             Description:\n";
    unsigned state = 12345;
    auto next = [&state] { return state = state * 1103515245u + 12345u, static_cast<char>(state >> 16); };
    for (int i = 0; i < 300000; ++i) cheats += next();
    for (int i = 0; i < 50000; ++i) games += next();
    e2e::writefile(folder / "cheat.dat", cheats);
    e2e::writefile(folder / "listfull.txt", games);
    EXPECT_EQ(e2e::runvettle(folder), 0);
    EXPECT_TRUE(endswith(e2e::readfile(folder / "console.out"), completed));
    EXPECT_EQ(e2e::readfile(folder / "stderr.out"), "");
}

// A full disk must never pass for a completed check.
TEST(Faults, ResultsFileOnAFullDisk) {
    auto folder = e2e::prepare("results-on-full-disk");
    e2e::fs::create_symlink("/dev/full", folder / "cheatscanresults.txt");
    e2e::runandcompare(folder, "results-on-full-disk");
}

TEST(Faults, WarningsFileOnAFullDisk) {
    auto folder = e2e::prepare("warnings-on-full-disk");
    e2e::fs::create_symlink("/dev/full", folder / "cheatscanwarnings.txt");
    e2e::runandcompare(folder, "warnings-on-full-disk");
}

TEST(Faults, CheatFileThatIsAFolder) {
    auto folder = e2e::prepare("cheat-file-is-a-folder");
    e2e::fs::create_directory(folder / "cheat.dat");
    e2e::runandcompare(folder, "cheat-file-is-a-folder");
}

}  // namespace
