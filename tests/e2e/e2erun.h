#pragma once

// Runs the built tool in a fresh folder beside the stand-in emulator and
// compares what it leaves with a case folder under tests/e2e/cases:
//   args                          the tool's arguments, one a line
//   stdin                         fed to the tool on standard input
//   reference                     the name of a case whose inputs and
//                                 expected files count where this case has
//                                 none of its own
//   stdin-from                    names the file standard input comes from
//   path-first                    names a folder put first on PATH, in
//                                 quotes (Windows)
//   windows-only                  run only where tests run under cmd.exe
//   NAME.exe (in any folder)      a placeholder for the stand-in
//   emulator-exit, emulator-wait,
//   emulator-crash                read by the stand-in (tools/standin)
//   needs-setup                   run by a test of its own, not by itself
//   every other file              an input, copied into the run folder and
//                                 checked unchanged after the run
//   expected/console.txt          everything printed on standard output
//   expected/console.bytes        the same, written as bytes on every host
//   expected/stderr.txt           standard error, when not empty
//   expected/outcome              "exit N" and "temp remains" or "temp deleted"
//   expected/NAME-windows.EXT     NAME.EXT where tests run under cmd.exe
//   expected/<report>.txt         each report that must exist, byte for byte
//   expected/no-reports           no report may be made, whatever the
//                                 reference case expects
// A run must leave no file but its inputs, its reports and the temporary
// file. "@VERSION@" in an expected file stands for the build's version.
// Expected texts end their lines in LF; where the host writes text
// files with CR LF (Windows), they are compared with each LF turned into
// CR LF.

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

fs::path casefolder(const std::string& name);
std::string readfile(const fs::path& path);
void writefile(const fs::path& path, const std::string& content);

// Text as the tool writes it on this host.
std::string hosttext(const std::string& text);

// An expected file's text, @VERSION@ in it being the build's version.
std::string expectedtext(const fs::path& path);

// A fresh run folder holding the stand-in and the case's inputs, in the
// current test's own folder, named after the case unless given a name of
// its own.
fs::path prepare(const std::string& name, const std::string& runname = "");

// Copies the tool into `folder`; returns its file name there.
fs::path installvettle(const fs::path& folder);

// Runs the tool as users run it, by name from its folder through the
// host's command interpreter, as the case's files say (args, stdin-from,
// path-first); its output lands in console.out and stderr.out. Returns its
// exit code, -1 when it crashed.
int runvettle(const fs::path& folder, const std::string& name = "");

// The case's arguments, one a line of its args file.
std::vector<std::string> argumentsof(const std::string& name);

// Whether the case runs only where tests run under cmd.exe.
bool windowsonly(const std::string& name);

// The same, with the arguments given.
int runvettle(const fs::path& folder, const std::vector<std::string>& arguments);

// Checks what a run that ended with `code` left in `folder` against the
// case's expected files.
void expectoutcome(const fs::path& folder, const std::string& name, int code);

void runandcompare(const fs::path& folder, const std::string& name);

}  // namespace e2e
