#include "filerules.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "host.h"

namespace fs = std::filesystem;

namespace {

// The folders of a path as they really are, the last name left as it is.
fs::path realfolder(const fs::path& path) {
    std::error_code error;
    fs::path folder = fs::weakly_canonical(path.parent_path(), error);
    return (error ? path.parent_path().lexically_normal() : folder) / path.filename();
}

// Where `name` leads: absolute, its folders resolved, and, when `follow`,
// its links followed as far as they go, to a place that need not exist.
fs::path destination(const std::string& name, bool follow) {
    std::error_code error;
    fs::path at = realfolder(fs::absolute(fs::u8path(name), error));
    for (int hops = 0; follow && hops < 40 && fs::is_symlink(at, error); ++hops) {
        fs::path target = fs::read_symlink(at, error);
        if (error) break;
        at = realfolder(target.is_absolute() ? target : at.parent_path() / target);
    }
    return at;
}

}  // namespace

bool samefile(const std::string& a, const std::string& b, bool followb) {
    std::error_code error;
    // A file of b's name that is not followed is removed first, whatever
    // other name it has: only the place counts.
    if (followb && fs::equivalent(fs::u8path(a), fs::u8path(b), error)) return true;
    return destination(a, true) == destination(b, followb);
}

bool ispipe(const std::string& name) {
    std::error_code error;
    return fs::status(fs::u8path(name), error).type() == fs::file_type::fifo;
}

std::string pathbelow(const std::string& name) {
    std::error_code error;
    fs::path here = fs::current_path(error);
    fs::path relative = fs::absolute(fs::u8path(name), error).lexically_normal().lexically_relative(here);
    if (error || relative.empty() || *relative.begin() == "..") return {};
    return relative.generic_u8string();
}

bool throughlink(const std::string& name, const std::string& below) {
    std::error_code error;
    fs::path at;
    for (const fs::path& part : fs::u8path(below)) {
        at /= part;
        if (fs::is_symlink(at, error)) return true;
    }
    // "x/../y" is "y" to the eye but not to the host when x is a link: the
    // folder above x's target.
    fs::path given = fs::u8path(name);
    if (std::find(given.begin(), given.end(), fs::path("..")) == given.end()) return false;
    fs::path reached = fs::weakly_canonical(fs::absolute(given, error), error);
    fs::path expected = fs::weakly_canonical(fs::current_path(error) / fs::u8path(below), error);
    return error || reached != expected;
}

bool isfolder(const std::string& name) {
    std::error_code error;
    return fs::is_directory(fs::u8path(name), error);
}

bool anythingnamed(const std::string& name) {
    std::error_code error;
    return fs::exists(fs::symlink_status(fs::u8path(name), error));
}

bool isregularornew(const std::string& name) {
    std::error_code error;
    fs::file_type type = fs::status(fs::u8path(name), error).type();
    return type == fs::file_type::regular || type == fs::file_type::not_found;
}

namespace {

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


// A path patch tools read as it is between "a/" and the line's end.
bool isplainpath(const std::string& path) {
    for (char c : path) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"' || c == '\\') return false;
    }
    return true;
}

}  // namespace

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

bool checkrefused(const std::vector<std::string>& cheatfiles, const std::vector<std::string>& lists,
                  const std::string& baseline, const std::string& writebaseline, bool fixing, const char* onstdout) {
    const console say(true);
    std::vector<std::string> inputs = cheatfiles;
    inputs.insert(inputs.end(), lists.begin(), lists.end());
    if (!baseline.empty()) inputs.push_back(baseline);
    // The files --fix writes may be no list and no baseline.
    for (std::size_t i = 0; fixing && i < cheatfiles.size(); ++i) {
        for (std::size_t j = cheatfiles.size(); j < inputs.size(); ++j) {
            if (samefile(inputs[j], cheatfiles[i])) {
                say.cannotopen(cheatfiles[i].c_str(), "It is the same file as '%s', which is only ever read.",
                               inputs[j].c_str());
                return true;
            }
        }
    }
    if (!writebaseline.empty()) {
        for (const std::string& input : inputs) {
            // A baseline refreshed in place is read whole before it is written.
            if (input == baseline || !samefile(input, writebaseline)) continue;
            say.cannotopen(writebaseline.c_str(), "It is the same file as '%s', which is only ever read.",
                           input.c_str());
            return true;
        }
        if (ispipe(writebaseline)) {
            say.cannotopen(writebaseline.c_str(), "It is a pipe; an output must be a file.");
            return true;
        }
    }
    std::string carries = std::string("It is standard output, which carries ") + onstdout + "; ";
    if (!writebaseline.empty() && isstdout(writebaseline, true)) {
        say.cannotopen(writebaseline.c_str(), (carries + "each output needs a file of its own.").c_str());
        return true;
    }
    for (const std::string& input : inputs) {
        if (isstdout(input, true)) {
            say.cannotopen(input.c_str(), (carries + "an input is only ever read.").c_str());
            return true;
        }
    }
    return false;
}

std::string outputtarget(const std::string& name) {
    std::error_code error;
    fs::path path = fs::u8path(name);
    if (!fs::is_symlink(fs::symlink_status(path, error))) return name;
    fs::path target = fs::weakly_canonical(fs::absolute(path, error), error);
    fs::file_type type = fs::status(target, error).type();
    bool plain = type == fs::file_type::regular || type == fs::file_type::not_found;
    return error || !plain ? std::string() : target.u8string();
}

bool patchname(const std::string& name) {
    fs::path given = fs::u8path(name);
    bool outside = given.is_absolute() || given.has_root_name() ||
                   std::find(given.begin(), given.end(), fs::path("..")) != given.end();
    if (!name.empty() && !outside && isplainpath(name)) return true;
    sayusage("option '--diff' needs a name below the current folder that a patch can hold (no control character, "
             "quote or backslash) for standard input, not '" + name + "'");
    return false;
}

// The name of the cheat file in the patch: below the current folder,
// reached without a link, and one patch tools read as it stands. False,
// said as a usage error, when it cannot be.
bool patchpath(const std::string& cheatfile, std::string& patched) {
    patched = pathbelow(cheatfile);
    const char* problem = patched.empty()         ? "in the current folder or below it"
                          : throughlink(cheatfile, patched) ? "reached without a link, which patch tools do not follow"
                          : !isplainpath(patched)
                              ? "whose name a patch can hold (no control character, quote or backslash)"
                              : nullptr;
    if (problem != nullptr) {
        sayusage("option '--diff' needs a cheat file " + std::string(problem) + ", not '" + cheatfile + "'");
    }
    return problem == nullptr;
}

