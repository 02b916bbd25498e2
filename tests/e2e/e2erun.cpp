#include "e2erun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "main/host.h"

namespace e2e {

namespace {

bool isinput(const fs::path& relative) {
    std::string first = relative.begin()->string();
    return first != "expected" && first != "needs-setup";
}

}  // namespace

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

std::string hosttext(const std::string& text) {
    if (!E2E_CRLF) return text;
    std::string converted;
    for (char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

fs::path prepare(const std::string& name, const std::string& runname) {
    fs::path folder = fs::path(E2E_RUNS) / (runname.empty() ? name : runname);
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(STANDIN_PATH, folder / "mame.exe");
    if (!fs::exists(casefolder(name))) return folder;  // inputs made by the test
    for (const auto& entry : fs::recursive_directory_iterator(casefolder(name))) {
        fs::path relative = fs::relative(entry.path(), casefolder(name));
        if (!entry.is_regular_file() || !isinput(relative)) continue;
        fs::create_directories((folder / relative).parent_path());
        fs::copy_file(entry.path(), folder / relative);
    }
    return folder;
}

fs::path installvettle(const fs::path& folder) {
    fs::path program = fs::path(VETTLE_PATH).filename();
    fs::copy_file(VETTLE_PATH, folder / program, fs::copy_options::overwrite_existing);
    return program;
}

int runvettle(const fs::path& folder) {
    fs::path program = installvettle(folder);
    fs::path previous = fs::current_path();
    fs::current_path(folder);
    int code = runcommand((program.stem().string() + " > console.out 2> stderr.out").c_str());
    fs::current_path(previous);
    return code;
}

void expectoutcome(const fs::path& folder, const std::string& name, int code) {
    SCOPED_TRACE("case " + name);
    fs::path expected = casefolder(name) / "expected";
    EXPECT_EQ(readfile(folder / "console.out"), hosttext(readfile(expected / "console.txt")));
    EXPECT_EQ(readfile(folder / "stderr.out"), "");
    bool tempremains = fs::exists(fs::symlink_status(folder / "vettletemp.tmp"));
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
    // The tool only ever reads its inputs.
    for (const auto& entry : fs::recursive_directory_iterator(casefolder(name))) {
        fs::path relative = fs::relative(entry.path(), casefolder(name));
        if (!entry.is_regular_file() || !isinput(relative) || !fs::is_regular_file(folder / relative)) continue;
        EXPECT_EQ(readfile(folder / relative), readfile(entry.path())) << relative << " was changed";
    }
}

void runandcompare(const fs::path& folder, const std::string& name) {
    expectoutcome(folder, name, runvettle(folder));
}

}  // namespace e2e
