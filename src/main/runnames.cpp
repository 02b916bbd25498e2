#include "runnames.h"


const char emulatorcommand[256] = "mame.exe -listfull >vettletemp.tmp";
const char tempname[128] = "vettletemp.tmp";

namespace {

constexpr char cheatfilename[128] = "cheat.dat";
constexpr char resultsname[128] = "cheatscanresults.txt";
constexpr char warningsname[128] = "cheatscanwarnings.txt";

// A report's name in a folder given as the user wrote it: the console
// shows it so, on every host alike.
std::string infolder(const std::string& folder, const char* name) {
    if (folder.empty()) return name;
    char last = folder.back();
    return folder + (last == '/' || last == '\\' ? "" : "/") + name;
}

}  // namespace

runnames namesof(const options& chosen) {
    runnames names;
    names.fromemulator = chosen.gamelist.empty();
    names.fromstdin = chosen.gamelist == "-";
    names.gamelist = names.fromemulator ? tempname : chosen.gamelist;
    names.cheatfile = chosen.cheatfile.empty() ? cheatfilename : chosen.cheatfile;
    names.reports = !chosen.noreports;
    names.results = infolder(chosen.reportdir, resultsname);
    names.warnings = infolder(chosen.reportdir, warningsname);
    names.baseline = chosen.baseline;
    names.writebaseline = chosen.writebaseline;
    names.onstdout = chosen.diff ? "the patch" : chosen.diagnostics ? "the findings" : "the console's transcript";
    return names;
}
