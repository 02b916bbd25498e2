#pragma once

#include <filesystem>
#include <string>

// Runs the built tool in a fresh folder beside the stand-in emulator and
// compares what it leaves with a case folder under tests/e2e/cases:
//   listfull.txt, cheat.dat    inputs, copied when present
//   emulator-exit              the stand-in's exit code (0 when absent)
//   expected/console.txt       everything printed
//   expected/outcome           "exit N" and "temp remains" or "temp deleted"
//   expected/<report>.txt      each report that must exist, byte for byte
namespace e2e {

namespace fs = std::filesystem;

fs::path casefolder(const std::string& name);

// A fresh run folder with the stand-in and the case's inputs.
fs::path prepare(const std::string& name);

// Runs vettle in `folder` with the stand-in exiting with `emulatorexit`;
// returns vettle's exit code. Its output lands in console.out and stderr.out.
int runvettle(const fs::path& folder, const std::string& emulatorexit = "0");

// Runs vettle in `folder` and checks everything against the case `name`.
void runandcompare(const fs::path& folder, const std::string& name);

std::string readfile(const fs::path& path);
void writefile(const fs::path& path, const std::string& content);

}  // namespace e2e
