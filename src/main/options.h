#pragma once

#include <string>
#include <vector>

#include "checks/checktable.h"

// What the command line asks for, the one place that reads it. Without
// arguments the run is the classic one: mame.exe through the command
// interpreter, cheat.dat, the console transcript, all in the current
// folder. `vettle check` is the linter's way in, `vettle rule` explains a
// check. An empty name is an option not given.
struct options {
    enum class action { classic, checkpaths, rule, help, version, usageerror };
    action what = action::classic;

    std::string gamelist;   // a saved game list; "-" is standard input
    std::string emulator;   // run this instead of mame.exe, without an interpreter
    std::string cheatfile;  // instead of cheat.dat
    bool strict = false;       // shown errors fail the run
    bool diagnostics = false;  // findings as FILE:LINE:COLUMN: lines instead of the transcript
    bool statistics = false;   // a count of each check's findings at the end
    std::string baseline;       // hide the findings recorded here
    std::string writebaseline;  // record the shown findings here
    std::string reportdir;      // the reports go here instead of the current folder
    bool noreports = false;     // no reports at all
    bool diff = false;          // a patch of the certain fixes instead of the transcript

    // The classic run's checks shown and counted, after --select and --ignore.
    bool selected[checkcount] = {};

    // vettle check: the paths, and how the checks are chosen, which a
    // config file may add to (so the names stay as given: each entry one
    // name or ALL, already known to be a check).
    std::vector<std::string> paths;
    bool selectgiven = false;
    std::vector<std::string> select, extendselect, ignore;
    std::string config;         // --config FILE
    bool isolated = false;      // read no config file
    std::string stdinfilename;  // the name of "-" in what is printed
    bool fix = false;           // write the certain fixes into the files
    bool quiet = false;         // no summary
    bool silent = false;        // nothing on standard output
    bool exitzero = false;      // findings never fail the run
    std::string outputformat;   // --output-format: a row of the table of formats
    std::string dialect;        // --dialect: whose loader the checks follow (a known name)

    // vettle rule: one check's name, or all of them.
    std::string rule;
    bool allrules = false;

    std::string problem;  // for a usage error: what is wrong, in a sentence
};

// `arguments` as the host gives them, the program's name first.
options parseoptions(const std::vector<std::string>& arguments);

// The checks a list of names (ALL, or comma-separated check names) sets,
// into `selected`; the first name that is no check, if any, as a usage
// error's words ("unknown check 'x' in --select; did you mean 'y'?").
bool namechecks(const std::vector<std::string>& names, bool* selected, bool value, const char* where,
                std::string& problem);

// A usage error's words for a dialect that is none ("unknown dialect 'x'
// in --dialect; did you mean 'y'?").
std::string unknowndialect(const std::string& name, const std::string& where);

// The text of --help.
std::string usagetext();
