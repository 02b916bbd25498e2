#include "e2erun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "main/host.h"

namespace e2e {

namespace {

// Files of a case folder that say how to run it, and are no input.
const std::set<std::string> casecontrols = {"expected", "needs-setup", "args", "reference",
                                             "windows-only", "stdin-from", "path-first"};

// Programs: placeholders for the stand-in emulator.
bool isprogram(const fs::path& relative) { return relative.extension() == ".exe"; }

bool isinput(const fs::path& relative) {
    return casecontrols.count(relative.begin()->u8string()) == 0 && !isprogram(relative);
}

// The first line of one of the case's files, if it has it.
std::string firstline(const std::string& name, const char* file) {
    std::string text = readfile(casefolder(name) / file);
    return text.substr(0, text.find('\n'));
}

// The reference case named in the case's `reference` file, if any.
std::string referenceof(const std::string& name) { return firstline(name, "reference"); }

// The case's input files, relative to its folder, with the files they are
// copied from: the reference case's, then the case's own in their place.
std::map<fs::path, fs::path> inputsof(const std::string& name) {
    std::map<fs::path, fs::path> inputs;
    std::string reference = referenceof(name);
    for (const std::string& from : {reference, name}) {
        if (from.empty() || !fs::exists(casefolder(from))) continue;  // inputs made by the test
        for (const auto& entry : fs::recursive_directory_iterator(casefolder(from))) {
            fs::path relative = entry.path().lexically_relative(casefolder(from));
            if (entry.is_regular_file() && isinput(relative)) inputs[relative] = entry.path();
        }
    }
    return inputs;
}

// The expected file, the case's own or its reference case's. Where the
// tests run under cmd.exe (Windows), a file NAME-windows.txt takes the
// place of NAME.txt: the host's own words for a crash, say.
fs::path expectedfile(const std::string& name, const std::string& file) {
    std::string reference = referenceof(name);
    for (const std::string& from : {name, reference}) {
        if (from.empty()) continue;
        fs::path expected = casefolder(from) / "expected";
        fs::path windows = expected / (fs::path(file).stem().string() + "-windows" + fs::path(file).extension().string());
        if (E2E_CMD && fs::exists(windows)) return windows;
        if (fs::exists(expected / file)) return expected / file;
    }
    return casefolder(name) / "expected" / file;
}

// Quoted for the interpreter the host layer hands commands to.
std::string forinterpreter(const std::string& argument) {
    if (E2E_CMD) return "\"" + argument + "\"";
    std::string text = "'";
    for (char c : argument) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
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

std::string expectedtext(const fs::path& path) {
    std::string text = readfile(path);
    const std::string version = "@VERSION@";
    for (std::size_t at = text.find(version); at != std::string::npos; at = text.find(version, at)) {
        text.replace(at, version.size(), VETTLE_VERSION);
    }
    return text;
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

// Every test has folders of its own, so that tests run side by side.
fs::path runsoftest() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    std::replace(name.begin(), name.end(), '/', '-');
    return fs::path(E2E_RUNS) / name;
}

fs::path prepare(const std::string& name, const std::string& runname) {
    fs::path folder = runsoftest() / (runname.empty() ? name : runname);
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy_file(STANDIN_PATH, folder / "mame.exe");
    for (const auto& [relative, source] : inputsof(name)) {
        fs::create_directories((folder / relative).parent_path());
        fs::copy_file(source, folder / relative, fs::copy_options::overwrite_existing);
    }
    if (!fs::exists(casefolder(name))) return folder;
    for (const auto& entry : fs::recursive_directory_iterator(casefolder(name))) {
        if (entry.is_regular_file() && isprogram(entry.path())) {
            fs::path relative = entry.path().lexically_relative(casefolder(name));
            fs::create_directories((folder / relative).parent_path());
            fs::copy_file(STANDIN_PATH, folder / relative, fs::copy_options::overwrite_existing);
        }
    }
    return folder;
}

fs::path installvettle(const fs::path& folder) {
    fs::path program = fs::path(VETTLE_PATH).filename();
    // Once a folder: prepare() starts each folder empty, and a program
    // that has just run may still be held open under wine.
    if (!fs::exists(folder / program)) fs::copy_file(VETTLE_PATH, folder / program);
    return program;
}

bool windowsonly(const std::string& name) { return fs::exists(casefolder(name) / "windows-only"); }

int runvettle(const fs::path& folder, const std::vector<std::string>& arguments, const std::string& name) {
    std::string command = installvettle(folder).stem().string();
    for (const std::string& argument : arguments) command += " " + forinterpreter(argument);
    if (fs::exists(folder / "stdin")) command += " < stdin";
    std::string stdinfrom = name.empty() ? "" : firstline(name, "stdin-from");
    if (!stdinfrom.empty()) command += " < " + forinterpreter(stdinfrom);
    // A folder first on PATH, in quotes as installers write them there.
    std::string pathfirst = name.empty() ? "" : firstline(name, "path-first");
    if (!pathfirst.empty()) command = "set PATH=\"" + (folder / pathfirst).u8string() + "\";%PATH%&& " + command;
    fs::path previous = fs::current_path();
    fs::current_path(folder);
    programrun run = runcommand((command + " > console.out 2> stderr.out").c_str());
    fs::current_path(previous);
    return run.outcome == programrun::ran ? run.exitcode : -1;
}

int runvettle(const fs::path& folder, const std::vector<std::string>& arguments) {
    return runvettle(folder, arguments, "");
}

std::vector<std::string> argumentsof(const std::string& name) {
    std::vector<std::string> arguments;
    std::istringstream lines(readfile(casefolder(name) / "args"));
    for (std::string argument; std::getline(lines, argument);) arguments.push_back(argument);
    return arguments;
}

int runvettle(const fs::path& folder, const std::string& name) {
    return name.empty() ? runvettle(folder, std::vector<std::string>{}) : runvettle(folder, argumentsof(name), name);
}

void expectoutcome(const fs::path& folder, const std::string& name, int code) {
    SCOPED_TRACE("case " + name);
    // Standard output as bytes (a patch), or as text the host writes.
    fs::path bytes = expectedfile(name, "console.bytes");
    if (fs::exists(bytes)) {
        EXPECT_EQ(readfile(folder / "console.out"), expectedtext(bytes));
    } else {
        EXPECT_EQ(readfile(folder / "console.out"), hosttext(expectedtext(expectedfile(name, "console.txt"))));
    }
    EXPECT_EQ(readfile(folder / "stderr.out"), hosttext(expectedtext(expectedfile(name, "stderr.txt"))));
    bool tempremains = fs::exists(fs::symlink_status(folder / "vettletemp.tmp"));
    EXPECT_EQ("exit " + std::to_string(code) + "\ntemp " + (tempremains ? "remains\n" : "deleted\n"),
              readfile(expectedfile(name, "outcome")));
    if (tempremains && fs::exists(folder / "listfull.txt") && !fs::exists(folder / "emulator-crash")) {
        EXPECT_EQ(readfile(folder / "vettletemp.tmp"), readfile(folder / "listfull.txt"));
    }
    std::map<fs::path, fs::path> inputs = inputsof(name);
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
        if (inputs.count(report) > 0) continue;  // checked as an input
        bool made = fs::is_regular_file(folder / report);  // not the /dev/full stand-in
        bool expected = fs::exists(expectedfile(name, report)) && !fs::exists(expectedfile(name, "no-reports"));
        EXPECT_EQ(made, expected) << report;
        if (made) {
            EXPECT_EQ(readfile(folder / report), hosttext(readfile(expectedfile(name, report)))) << report;
        }
    }
    // The tool only ever reads its inputs, and makes no file but its own.
    std::set<fs::path> known = {"console.out", "stderr.out", "vettletemp.tmp", "cheatscanresults.txt",
                                "cheatscanwarnings.txt", fs::path(VETTLE_PATH).filename(),
                                // inputs some tests write themselves
                                "listfull.txt", "cheat.dat", "games.xml", "stdin", "emulator-exit", "emulator-wait", "emulator-crash"};
    for (const auto& [input, source] : inputs) {
        known.insert(input);
        if (!fs::is_regular_file(folder / input)) continue;
        EXPECT_EQ(readfile(folder / input), readfile(source)) << input << " was changed";
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        fs::path relative = entry.path().lexically_relative(folder);
        bool expected = entry.is_directory() || known.count(relative) > 0 || isprogram(relative);
        EXPECT_TRUE(expected) << relative << " was made by the run";
    }
}

void runandcompare(const fs::path& folder, const std::string& name) {
    int code = runvettle(folder, name);
    expectoutcome(folder, name, code);
}

}  // namespace e2e
