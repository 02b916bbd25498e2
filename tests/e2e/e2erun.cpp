#include "e2erun.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "main/host.h"

namespace e2e {

namespace {

bool isinput(const fs::path& relative) {
    std::string first = relative.begin()->string();
    return first != "expected" && first != "needs-setup" && first != "args" && first != "reference" &&
           relative.filename() != "mame.exe";
}

// The reference case named in the case's `reference` file, if any.
std::string referenceof(const std::string& name) {
    std::string other = readfile(casefolder(name) / "reference");
    return other.substr(0, other.find('\n'));
}

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

// The expected file, the case's own or its reference case's.
fs::path expectedfile(const std::string& name, const std::string& file) {
    fs::path own = casefolder(name) / "expected" / file;
    std::string reference = referenceof(name);
    if (fs::exists(own) || reference.empty()) return own;
    return casefolder(reference) / "expected" / file;
}

// Quoted for the interpreter the host layer hands commands to.
std::string quoted(const std::string& argument) {
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
    for (const auto& [relative, source] : inputsof(name)) {
        fs::create_directories((folder / relative).parent_path());
        fs::copy_file(source, folder / relative, fs::copy_options::overwrite_existing);
    }
    if (!fs::exists(casefolder(name))) return folder;
    for (const auto& entry : fs::recursive_directory_iterator(casefolder(name))) {
        if (entry.is_regular_file() && entry.path().filename() == "mame.exe") {
            fs::path relative = entry.path().lexically_relative(casefolder(name));
            fs::create_directories((folder / relative).parent_path());
            fs::copy_file(STANDIN_PATH, folder / relative, fs::copy_options::overwrite_existing);
        }
    }
    return folder;
}

fs::path installvettle(const fs::path& folder) {
    fs::path program = fs::path(VETTLE_PATH).filename();
    fs::copy_file(VETTLE_PATH, folder / program, fs::copy_options::overwrite_existing);
    return program;
}

int runvettle(const fs::path& folder, const std::vector<std::string>& arguments) {
    std::string command = installvettle(folder).stem().string();
    for (const std::string& argument : arguments) command += " " + quoted(argument);
    if (fs::exists(folder / "stdin")) command += " < stdin";
    fs::path previous = fs::current_path();
    fs::current_path(folder);
    int code = runcommand((command + " > console.out 2> stderr.out").c_str());
    fs::current_path(previous);
    return code;
}

int runvettle(const fs::path& folder, const std::string& name) {
    std::vector<std::string> arguments;
    std::istringstream lines(name.empty() ? std::string() : readfile(casefolder(name) / "args"));
    for (std::string argument; std::getline(lines, argument);) arguments.push_back(argument);
    return runvettle(folder, arguments);
}

void expectoutcome(const fs::path& folder, const std::string& name, int code) {
    SCOPED_TRACE("case " + name);
    EXPECT_EQ(readfile(folder / "console.out"), hosttext(readfile(expectedfile(name, "console.txt"))));
    EXPECT_EQ(readfile(folder / "stderr.out"), hosttext(readfile(expectedfile(name, "stderr.txt"))));
    bool tempremains = fs::exists(fs::symlink_status(folder / "vettletemp.tmp"));
    EXPECT_EQ("exit " + std::to_string(code) + "\ntemp " + (tempremains ? "remains\n" : "deleted\n"),
              readfile(expectedfile(name, "outcome")));
    if (tempremains && fs::exists(folder / "listfull.txt")) {
        EXPECT_EQ(readfile(folder / "vettletemp.tmp"), readfile(folder / "listfull.txt"));
    }
    std::map<fs::path, fs::path> inputs = inputsof(name);
    for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
        if (inputs.count(report) > 0) continue;  // checked as an input
        bool made = fs::is_regular_file(folder / report);  // not the /dev/full stand-in
        EXPECT_EQ(made, fs::exists(expectedfile(name, report))) << report;
        if (made) {
            EXPECT_EQ(readfile(folder / report), hosttext(readfile(expectedfile(name, report)))) << report;
        }
    }
    // The tool only ever reads its inputs, and makes no file but its own.
    std::set<fs::path> known = {"console.out", "stderr.out", "vettletemp.tmp", "cheatscanresults.txt",
                                "cheatscanwarnings.txt", fs::path(VETTLE_PATH).filename(),
                                // inputs some tests write themselves
                                "listfull.txt", "cheat.dat", "emulator-exit", "emulator-wait"};
    for (const auto& [input, source] : inputs) {
        known.insert(input);
        if (!fs::is_regular_file(folder / input)) continue;
        EXPECT_EQ(readfile(folder / input), readfile(source)) << input << " was changed";
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        fs::path relative = entry.path().lexically_relative(folder);
        bool expected = entry.is_directory() || known.count(relative) > 0 || relative.filename() == "mame.exe";
        EXPECT_TRUE(expected) << relative << " was made by the run";
    }
}

void runandcompare(const fs::path& folder, const std::string& name) {
    int code = runvettle(folder, fs::exists(casefolder(name) / "args") ? name : "");
    expectoutcome(folder, name, code);
}

}  // namespace e2e
