#include "e2erun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace e2e {

namespace {

const char* const producedfiles[] = {"cheatscanresults.txt", "cheatscanwarnings.txt"};

}  // namespace

int runvettle(const fs::path& folder, const std::string& emulatorexit) {
    std::string command = "cd '" + folder.string() + "' && STANDIN_EXIT_CODE=" + emulatorexit + " '" +
                          VETTLE_PATH + "' > console.out 2> stderr.out";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

fs::path casefolder(const std::string& name) { return fs::path(E2E_CASES) / name; }

std::string readfile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writefile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

fs::path prepare(const std::string& name) {
    fs::path folder = fs::path(E2E_RUNS) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(STANDIN_PATH, folder / "mame.exe");
    for (const char* input : {"listfull.txt", "cheat.dat"}) {
        if (fs::exists(casefolder(name) / input)) {
            fs::copy_file(casefolder(name) / input, folder / input);
        }
    }
    return folder;
}

void runandcompare(const fs::path& folder, const std::string& name) {
    SCOPED_TRACE("case " + name);
    fs::path expected = casefolder(name) / "expected";
    std::string emulatorexit = "0";
    if (fs::exists(casefolder(name) / "emulator-exit")) {
        std::istringstream(readfile(casefolder(name) / "emulator-exit")) >> emulatorexit;
    }

    int code = runvettle(folder, emulatorexit);

    EXPECT_EQ(readfile(folder / "console.out"), readfile(expected / "console.txt"));
    EXPECT_EQ(readfile(folder / "stderr.out"), "");
    bool tempremains = fs::exists(folder / "vettletemp.tmp");
    std::ostringstream outcome;
    outcome << "exit " << code << "\ntemp " << (tempremains ? "remains" : "deleted") << "\n";
    EXPECT_EQ(outcome.str(), readfile(expected / "outcome"));
    if (tempremains && fs::exists(folder / "listfull.txt")) {
        EXPECT_EQ(readfile(folder / "vettletemp.tmp"), readfile(folder / "listfull.txt"));
    }
    for (const char* report : producedfiles) {
        bool made = fs::is_regular_file(folder / report);
        EXPECT_EQ(made, fs::exists(expected / report)) << report;
        if (made && fs::exists(expected / report)) {
            EXPECT_EQ(readfile(folder / report), readfile(expected / report)) << report;
        }
    }
}

}  // namespace e2e
