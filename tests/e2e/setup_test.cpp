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
