#include "engine/runphases.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "gamelist/readgamelist.h"
#include "memoryfile.h"

namespace {

struct RunPhasesTest : ::testing::Test {
    std::unique_ptr<gamelist> list = std::make_unique<gamelist>();
    std::FILE* results = scratchfile();
    std::FILE* warnings = scratchfile();
    std::FILE* console = scratchfile();

    ~RunPhasesTest() override {
        std::fclose(results);
        std::fclose(warnings);
        std::fclose(console);
    }
    runstatus run(std::FILE* games, std::FILE* cheats) {
        readgamelist(games, *list, true);
        showing everything{};
        for (bool& selected : everything.selected) selected = true;
        shownfindings shown(everything);
        runstatus status = runphases({cheats, results, warnings, console}, *list, shown);
        std::fclose(games);
        std::fclose(cheats);
        return status;
    }
};

// A stream open only for writing fails every read, as a failing disk would,
// where the C runtime flags such a read as an error (glibc does, msvcrt
// does not).
std::FILE* unreadable() {
    std::string path = ::testing::TempDir() + "vettle-unreadable";
    return std::fopen(path.c_str(), "w");
}

bool readsfailvisibly() {
    std::FILE* file = unreadable();
    char c;
    bool failed = std::fread(&c, 1, 1, file) == 0 && std::ferror(file);
    std::fclose(file);
    return failed;
}

TEST_F(RunPhasesTest, ReadErrorsAreNotedNotHidden) {
    if (!readsfailvisibly()) GTEST_SKIP() << "this C runtime gives no read error to simulate a failing disk";
    runstatus status = run(filewith("header\npacman  \"Pac-Man\"\n"), unreadable());
    EXPECT_TRUE(status.cheatfilereadfailed);
    for (bool recognise : {false, true}) {
        std::FILE* games = unreadable();
        EXPECT_TRUE(readgamelist(games, *list, recognise).readfailed);
        std::fclose(games);
    }
    EXPECT_NE(contentof(console).find("supports 1 games"), std::string::npos);

}

}  // namespace
