#pragma once

// Runs the built tool in a fresh folder beside the stand-in emulator and
// compares what it leaves with a case folder under tests/e2e/cases:
//   every file but those below    an input, copied into the run folder and
//                                 checked unchanged after the run
//   emulator-exit, emulator-wait  read by the stand-in (tools/standin)
//   needs-setup                   run by a test of its own, not by itself
//   expected/console.txt          everything printed
//   expected/outcome              "exit N" and "temp remains" or "temp deleted"
//   expected/<report>.txt         each report that must exist, byte for byte
// Expected texts end their lines in LF; where the host writes text files
// with CR LF (Windows), they are compared with each LF turned into CR LF.

#include <filesystem>
#include <string>

namespace e2e {

namespace fs = std::filesystem;

fs::path casefolder(const std::string& name);
std::string readfile(const fs::path& path);
void writefile(const fs::path& path, const std::string& content);

// Text as the tool writes it on this host.
std::string hosttext(const std::string& text);

// A fresh run folder holding the stand-in and the case's inputs, named
// after the case unless given a name of its own.
fs::path prepare(const std::string& name, const std::string& runname = "");

// Copies the tool into `folder`; returns its file name there.
fs::path installvettle(const fs::path& folder);

// Runs the tool as users run it, by name from its folder through the
// host's command interpreter; its output lands in console.out and
// stderr.out. Returns its exit code.
int runvettle(const fs::path& folder);

// Checks what a run that ended with `code` left in `folder` against the
// case's expected files.
void expectoutcome(const fs::path& folder, const std::string& name, int code);

void runandcompare(const fs::path& folder, const std::string& name);

}  // namespace e2e
