#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The project's config file, vettle.toml: what a run would otherwise be
// told on the command line, kept beside the cheat files. Paths in it are
// relative to its own folder; patterns match a cheat file's path relative
// to that folder, with '/' between folders (text/glob.h).
struct configfile {
    std::string path;    // as found or given
    std::string folder;  // the folder it is in, "." for the current one

    std::optional<std::string> gamelist;  // game-list
    std::optional<std::string> emulator;  // emulator: a program name, or a path when it holds a slash
    std::optional<std::string> baseline;  // baseline
    std::optional<std::vector<std::string>> select;  // select: the checks shown, "ALL" for every one
    std::vector<std::string> extendselect;           // extend-select: shown besides those
    std::vector<std::string> ignore;                 // ignore
    std::optional<std::string> outputformat;         // output-format: a format's name
    // per-file-ignores: pattern and the checks ignored in the files it
    // matches; per-file-game-list: pattern and the game list of those files.
    // Both in the order of the file.
    std::vector<std::pair<std::string, std::vector<std::string>>> perfileignores;
    std::vector<std::pair<std::string, std::string>> perfilegamelist;
    // dialect: whose loader the checks follow; per-file-dialect: pattern and
    // the dialect of those files. Each a known dialect's name.
    std::optional<std::string> dialect;
    std::vector<std::pair<std::string, std::string>> perfiledialect;
};

// The name looked for.
inline constexpr const char* configname = "vettle.toml";

// Looks for vettle.toml in `startfolder`, then in each folder above it, up
// to the first that holds .git (the project's top) or the root. Returns
// its path: `startfolder` followed by a "../" a folder climbed and the
// name ("vettle.toml", "../vettle.toml" from "."); none when there is none.
std::optional<std::string> findconfig(const std::string& startfolder);

// Reads the config file `path` (UTF-8) into `out`. False when it cannot be
// read or holds anything but known keys with values of their type and
// known check names; `error` then says what, in one line:
// "PATH:LINE: what is wrong", or "PATH: what is wrong" for the file as a
// whole.
bool readconfig(const std::string& path, configfile& out, std::string& error);

// A path from the config as the current folder reaches it: relative ones
// are taken from the config's folder, absolute ones stay.
std::string configpath(const configfile& config, const std::string& relative);

// The emulator's program as a run is to start it: a bare name is looked for
// as --emulator's is (the current folder, then PATH); a name with a '/' or
// '\' is a path from the config's folder.
std::string configprogram(const configfile& config, const std::string& program);

// `path` (a cheat file, as the current folder reaches it) relative to the
// config's folder with '/' between folders, for the patterns: "cheats/a.dat".
// A file outside the folder begins with "../", which only a pattern with
// ".." matches.
std::string configrelative(const configfile& config, const std::string& path);

// The game list of the cheat file at `cheatrelative` (from configrelative):
// the first per-file-game-list pattern that matches it, else game-list,
// else null. The list's name is as written: configpath makes it a path.
// `casesensitive`: whether the host's file names are (POSIX yes, Windows
// no).
const std::string* gamelistfor(const configfile& config, const std::string& cheatrelative, bool casesensitive);

// The dialect of the cheat file at `cheatrelative`: the first
// per-file-dialect pattern that matches it, else dialect, else null.
const std::string* dialectfor(const configfile& config, const std::string& cheatrelative, bool casesensitive);

// The checks ignored in the cheat file at `cheatrelative`: those of every
// per-file-ignores pattern that matches it, each once, in the file's order.
std::vector<std::string> ignoresfor(const configfile& config, const std::string& cheatrelative, bool casesensitive);
