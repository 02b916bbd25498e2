#include "runnames.h"

#include <vector>

#include "filerules.h"
#include "host.h"

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

struct output {
    std::string name;
    bool follow;  // a link of the temporary file's name is removed, not followed
};

std::vector<output> outputsof(const runnames& names) {
    std::vector<output> outputs;
    if (names.reports) outputs = {{names.results, true}, {names.warnings, true}};
    if (names.fromemulator) outputs.push_back({tempname, false});
    if (!names.writebaseline.empty()) outputs.push_back({names.writebaseline, true});
    return outputs;
}

std::vector<std::string> inputsof(const runnames& names) {
    std::vector<std::string> inputs = {names.cheatfile};
    if (!names.fromemulator && !names.fromstdin) inputs.push_back(names.gamelist);
    if (!names.baseline.empty()) inputs.push_back(names.baseline);
    return inputs;
}

// Two outputs to one device lose nothing, nor does reading one.
bool isstdout(const std::string& name, bool follow) {
    return isregularornew(name) && stdoutisfile(name.c_str(), follow);
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

bool refused(const runnames& names, const console& say) {
    std::vector<output> outputs = outputsof(names);
    std::vector<std::string> inputs = inputsof(names);

    // The baseline is read as findings: not the file they are about.
    if (!names.baseline.empty()) {
        for (std::size_t i = 0; i + 1 < inputs.size(); ++i) {
            if (samefile(names.baseline, inputs[i])) {
                say.cannotopen(names.baseline.c_str(), "It is the same file as '%s'; a baseline is a file of its own.",
                               inputs[i].c_str());
                return true;
            }
        }
    }
    for (const output& out : outputs) {
        for (const std::string& input : inputs) {
            // A baseline refreshed in place is read whole before it is written.
            bool refresh = !names.baseline.empty() && input == names.baseline && out.name == names.writebaseline;
            if (!refresh && samefile(input, out.name, out.follow)) {
                say.cannotopen(out.name.c_str(), "It is the same file as '%s', which is only ever read.",
                               input.c_str());
                return true;
            }
        }
        if (names.fromstdin && stdinisfile(out.name.c_str())) {
            say.cannotopen(out.name.c_str(), "It is standard input, which is only ever read.");
            return true;
        }
    }
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            const output& first = outputs[j];
            const output& second = outputs[i];
            // Two outputs to one device (/dev/null) lose nothing.
            bool devices = !isregularornew(first.name) && !isregularornew(second.name);
            if (!devices && samefile(first.name, second.name, second.follow)) {
                const std::string& named = second.follow ? second.name : first.name;
                const std::string& other = second.follow ? first.name : second.name;
                say.cannotopen(named.c_str(), "It is the same file as '%s'; each output needs a file of its own.",
                               other.c_str());
                return true;
            }
        }
    }
    for (const output& out : outputs) {
        if (out.follow && ispipe(out.name)) {
            say.cannotopen(out.name.c_str(), "It is a pipe; an output must be a file.");
            return true;
        }
    }
    return false;
}

bool stdoutrefused(const runnames& names) {
    const console onstderr(true);
    std::string carries = std::string("It is standard output, which carries ") + names.onstdout + "; ";
    for (const output& out : outputsof(names)) {
        if (isstdout(out.name, out.follow)) {
            onstderr.cannotopen(out.name.c_str(), (carries + "each output needs a file of its own.").c_str());
            return true;
        }
    }
    for (const std::string& input : inputsof(names)) {
        if (isstdout(input, true)) {
            onstderr.cannotopen(input.c_str(), (carries + "an input is only ever read.").c_str());
            return true;
        }
    }
    return false;
}
