#include "options.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <tuple>
#include <utility>

#include "report/emitter.h"
#include "checks/dialect.h"
#include "text/closest.h"

namespace {

enum class kind {
    flag,      // --strict
    value,     // --cheat-file FILE, once
    list,      // --select A,B, as often as wanted
    request,   // --help: asks for something else than a check
};

struct knownoption {
    const char* name;
    const char* alias;
    kind takes;
    bool options::*flag;
    std::string options::*value;
    std::vector<std::string>* list;
    options::action action;  // what a request asks for
};

// Given more than once, each adds to the ones before.
struct lists {
    std::vector<std::string> select, extendselect, ignore;
};

// The classic run's options.
std::vector<knownoption> knownoptions(lists& given) {
    using a = options::action;
    return {
        {"--help", "-h", kind::request, nullptr, nullptr, nullptr, a::help},
        {"--version", nullptr, kind::request, nullptr, nullptr, nullptr, a::version},
        {"--game-list", nullptr, kind::value, nullptr, &options::gamelist, nullptr, a::classic},
        {"--emulator", nullptr, kind::value, nullptr, &options::emulator, nullptr, a::classic},
        {"--cheat-file", nullptr, kind::value, nullptr, &options::cheatfile, nullptr, a::classic},
        {"--strict", nullptr, kind::flag, &options::strict, nullptr, nullptr, a::classic},
        {"--diagnostics", nullptr, kind::flag, &options::diagnostics, nullptr, nullptr, a::classic},
        {"--statistics", nullptr, kind::flag, &options::statistics, nullptr, nullptr, a::classic},
        {"--select", nullptr, kind::list, nullptr, nullptr, &given.select, a::classic},
        {"--ignore", nullptr, kind::list, nullptr, nullptr, &given.ignore, a::classic},
        {"--baseline", nullptr, kind::value, nullptr, &options::baseline, nullptr, a::classic},
        {"--write-baseline", nullptr, kind::value, nullptr, &options::writebaseline, nullptr, a::classic},
        {"--report-dir", nullptr, kind::value, nullptr, &options::reportdir, nullptr, a::classic},
        {"--no-reports", nullptr, kind::flag, &options::noreports, nullptr, nullptr, a::classic},
        {"--diff", nullptr, kind::flag, &options::diff, nullptr, nullptr, a::classic},
    };
}

// vettle check's options.
std::vector<knownoption> checkoptions(lists& given) {
    using a = options::action;
    return {
        {"--help", "-h", kind::request, nullptr, nullptr, nullptr, a::help},
        {"--game-list", nullptr, kind::value, nullptr, &options::gamelist, nullptr, a::checkpaths},
        {"--emulator", nullptr, kind::value, nullptr, &options::emulator, nullptr, a::checkpaths},
        {"--config", nullptr, kind::value, nullptr, &options::config, nullptr, a::checkpaths},
        {"--isolated", nullptr, kind::flag, &options::isolated, nullptr, nullptr, a::checkpaths},
        {"--select", nullptr, kind::list, nullptr, nullptr, &given.select, a::checkpaths},
        {"--extend-select", nullptr, kind::list, nullptr, nullptr, &given.extendselect, a::checkpaths},
        {"--ignore", nullptr, kind::list, nullptr, nullptr, &given.ignore, a::checkpaths},
        {"--baseline", nullptr, kind::value, nullptr, &options::baseline, nullptr, a::checkpaths},
        {"--write-baseline", nullptr, kind::value, nullptr, &options::writebaseline, nullptr, a::checkpaths},
        {"--statistics", nullptr, kind::flag, &options::statistics, nullptr, nullptr, a::checkpaths},
        {"--diff", nullptr, kind::flag, &options::diff, nullptr, nullptr, a::checkpaths},
        {"--fix", nullptr, kind::flag, &options::fix, nullptr, nullptr, a::checkpaths},
        {"--quiet", "-q", kind::flag, &options::quiet, nullptr, nullptr, a::checkpaths},
        {"--silent", nullptr, kind::flag, &options::silent, nullptr, nullptr, a::checkpaths},
        {"--exit-zero", nullptr, kind::flag, &options::exitzero, nullptr, nullptr, a::checkpaths},
        {"--stdin-filename", nullptr, kind::value, nullptr, &options::stdinfilename, nullptr, a::checkpaths},
        {"--output-format", nullptr, kind::value, nullptr, &options::outputformat, nullptr, a::checkpaths},
        {"--dialect", nullptr, kind::value, nullptr, &options::dialect, nullptr, a::checkpaths},
    };
}

// vettle rule's.
std::vector<knownoption> ruleoptions() {
    using a = options::action;
    return {
        {"--help", "-h", kind::request, nullptr, nullptr, nullptr, a::help},
        {"--all", nullptr, kind::flag, &options::allrules, nullptr, nullptr, a::rule},
    };
}

// Matches "--name" and "--name=value"; `value` is then what follows the '='.
const knownoption* findoption(const std::vector<knownoption>& known, const std::string& argument,
                              const std::string*& value, std::string& after) {
    for (const knownoption& option : known) {
        std::string name = option.name;
        if (argument.compare(0, name.size(), name) == 0 &&
            (argument.size() == name.size() || argument[name.size()] == '=')) {
            value = nullptr;
            if (argument.size() > name.size()) {
                after = argument.substr(name.size() + 1);
                value = &after;
            }
            return &option;
        }
        if (option.alias != nullptr && argument == option.alias) {
            value = nullptr;
            return &option;
        }
    }
    return nullptr;
}

options usageerror(options result, const std::string& problem) {
    result.what = options::action::usageerror;
    result.problem = problem;
    return result;
}

std::string knownchecks() {
    std::string names;
    for (const checkinfo& check : checktable) names += (names.empty() ? "" : ", ") + std::string(check.name);
    return names;
}

// Sets `shown` for the checks a comma-separated list names; the name that
// is no check, if any.
std::optional<std::string> markchecks(const std::vector<std::string>& given, bool* shown, bool value) {
    for (const std::string& names : given) {
        std::size_t start = 0;
        for (;;) {
            std::size_t end = names.find(',', start);
            std::string name = names.substr(start, end == std::string::npos ? std::string::npos : end - start);
            const checkinfo* check = findcheck(name);
            if (check == nullptr) return name;
            shown[static_cast<int>(check->id)] = value;
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return {};
}

// The names of a comma-separated list, each a check or ALL; the first that
// is neither, with the closest check's name.
bool splitchecks(const std::vector<std::string>& given, std::vector<std::string>& names, const char* option,
                 std::string& problem) {
    for (const std::string& list : given) {
        std::size_t start = 0;
        for (;;) {
            std::size_t end = list.find(',', start);
            std::string name = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
            if (name != "ALL" && findcheck(name) == nullptr) {
                std::vector<std::string_view> known;
                for (const checkinfo& check : checktable) known.push_back(check.name);
                std::string closest(closestname(name, known));
                problem = "unknown check '" + name + "' in " + option +
                          (closest.empty() ? "; the checks are " + knownchecks() : "; did you mean '" + closest + "'?");
                return false;
            }
            names.push_back(name);
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    return true;
}

// An argument that is no option of `known`, in the words of a usage error.
std::string unknownargument(const std::string& argument, const std::vector<knownoption>& known, bool suggest) {
    if (argument.empty() || argument[0] != '-') return "unexpected argument '" + argument + "'";
    std::string problem = "unknown option '" + argument + "'";
    if (!suggest) return problem;
    std::vector<std::string_view> names;
    for (const knownoption& option : known) names.push_back(option.name);
    std::string closest(closestname(argument.substr(0, argument.find('=')), names));
    return closest.empty() ? problem : problem + "; did you mean '" + closest + "'?";
}

// Reads the options of `known` from `arguments[first]` on into `result`;
// words that are no option go to `words` when it is given. False, with
// `result` a usage error, when something is not understood.
bool readoptions(const std::vector<std::string>& arguments, std::size_t first, const std::vector<knownoption>& known,
                 options& result, std::vector<std::string>* words, options::action& wanted) {
    std::vector<bool> asked(known.size());
    const options::action given = wanted;  // the first request wins
    for (std::size_t i = first; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string* value = nullptr;
        std::string after;
        const knownoption* option = findoption(known, argument, value, after);
        if (option == nullptr && words != nullptr && (argument.empty() || argument[0] != '-' || argument == "-")) {
            words->push_back(argument);
            continue;
        }
        if (option == nullptr) {
            result = usageerror(result, unknownargument(argument, known, words != nullptr));
            return false;
        }
        const std::string name = option->name;
        auto seen = asked.begin() + (option - known.data());
        if (*seen && option->takes != kind::list) {
            result = usageerror(result, "option '" + name + "' is given twice");
            return false;
        }
        *seen = true;
        if (option->takes == kind::flag || option->takes == kind::request) {
            if (value != nullptr) {
                result = usageerror(result, "option '" + name + "' takes no value");
                return false;
            }
            if (option->flag != nullptr) result.*(option->flag) = true;
            if (option->takes == kind::request && wanted == given) wanted = option->action;
            continue;
        }
        if (value == nullptr && i + 1 < arguments.size()) value = &arguments[++i];
        if (value == nullptr || value->empty()) {
            result = usageerror(result, "option '" + name + "' needs a value");
            return false;
        }
        if (option->takes == kind::list) {
            option->list->push_back(*value);
        } else {
            result.*(option->value) = *value;
        }
    }
    return true;
}

options parsecheck(const std::vector<std::string>& arguments) {
    options result;
    lists given;
    options::action wanted = options::action::checkpaths;
    if (!readoptions(arguments, 2, checkoptions(given), result, &result.paths, wanted)) return result;
    if (wanted == options::action::help) {
        result.what = wanted;
        return result;
    }
    for (const auto& [list, names, option] : {std::tuple{&given.select, &result.select, "--select"},
                                              std::tuple{&given.extendselect, &result.extendselect, "--extend-select"},
                                              std::tuple{&given.ignore, &result.ignore, "--ignore"}}) {
        if (!splitchecks(*list, *names, option, result.problem)) return usageerror(result, result.problem);
    }
    result.selectgiven = !given.select.empty();
    if (!result.outputformat.empty() && findformat(result.outputformat) == nullptr) {
        return usageerror(result, unknownformat(result.outputformat, "--output-format"));
    }
    if (!result.dialect.empty() && finddialect(result.dialect) == nullptr) {
        return usageerror(result, unknowndialect(result.dialect, "--dialect"));
    }
    bool fromstdin = std::find(result.paths.begin(), result.paths.end(), "-") != result.paths.end();
    if (!result.gamelist.empty() && !result.emulator.empty()) {
        return usageerror(result, "option '--emulator' cannot be used with '--game-list'");
    }
    if (fromstdin && result.gamelist == "-") {
        return usageerror(result, "standard input cannot be both the cheat file '-' and the game list '--game-list -'");
    }
    if (std::count(result.paths.begin(), result.paths.end(), "-") > 1) {
        return usageerror(result, "standard input '-' is named twice");
    }
    if (!result.stdinfilename.empty() && !fromstdin) {
        return usageerror(result, "option '--stdin-filename' names standard input, which needs '-' among the paths");
    }
    if (result.isolated && !result.config.empty()) {
        return usageerror(result, "option '--isolated' cannot be used with '--config'");
    }
    for (const auto& [given, name] : {std::pair{result.fix, "--fix"}, std::pair{result.statistics, "--statistics"}}) {
        if (result.diff && given) return usageerror(result, "option '--diff' cannot be used with '" + std::string(name) + "'");
    }
    result.what = wanted;
    return result;
}

options parserule(const std::vector<std::string>& arguments) {
    options result;
    options::action wanted = options::action::rule;
    std::vector<std::string> names;
    if (!readoptions(arguments, 2, ruleoptions(), result, &names, wanted)) return result;
    if (wanted == options::action::help) {
        result.what = wanted;
        return result;
    }
    if (result.allrules != names.empty() || names.size() > 1) {
        return usageerror(result, "'vettle rule' takes one check's name, or '--all'");
    }
    if (!names.empty()) {
        result.rule = names[0];
        std::vector<std::string> checked;
        if (!splitchecks({result.rule}, checked, "'vettle rule'", result.problem) || result.rule == "ALL") {
            return usageerror(result, result.problem.empty() ? "'vettle rule' takes one check's name, or '--all'"
                                                             : result.problem);
        }
    }
    result.what = wanted;
    return result;
}

}  // namespace

std::string unknowndialect(const std::string& name, const std::string& where) {
    std::vector<std::string_view> known = dialectnames();
    std::string closest(closestname(name, known));
    std::string names;
    for (std::string_view each : known) names += (names.empty() ? "" : ", ") + std::string(each);
    return "unknown dialect '" + name + "' in " + where +
           (closest.empty() ? "; the dialects are " + names : "; did you mean '" + closest + "'?");
}

bool namechecks(const std::vector<std::string>& names, bool* selected, bool value, const char* where,
                std::string& problem) {
    std::vector<std::string> checked;
    if (!splitchecks(names, checked, where, problem)) return false;
    for (const std::string& name : checked) {
        if (name == "ALL") {
            for (int i = 0; i < checkcount; ++i) selected[i] = value;
        } else {
            selected[static_cast<int>(findcheck(name)->id)] = value;
        }
    }
    return true;
}

options parseoptions(const std::vector<std::string>& arguments) {
    if (arguments.size() > 1 && arguments[1] == "check") return parsecheck(arguments);
    if (arguments.size() > 1 && arguments[1] == "rule") return parserule(arguments);
    options result;
    lists given;
    options::action wanted = options::action::classic;
    if (!readoptions(arguments, 1, knownoptions(given), result, nullptr, wanted)) return result;
    if (!result.gamelist.empty() && !result.emulator.empty()) {
        return usageerror(result, "option '--emulator' cannot be used with '--game-list'");
    }
    if (!result.reportdir.empty() && result.noreports) {
        return usageerror(result, "option '--report-dir' cannot be used with '--no-reports'");
    }
    // Each of these claims standard output.
    for (const auto& [given, name] : {std::pair{result.diagnostics, "--diagnostics"},
                                      std::pair{result.statistics, "--statistics"}}) {
        if (result.diff && given) return usageerror(result, "option '--diff' cannot be used with '" + std::string(name) + "'");
    }
    // As ruff does: --select sets the checks (all when not given), --ignore
    // takes some away.
    for (bool& shown : result.selected) shown = given.select.empty();
    for (const auto& [names, value, option] : {std::tuple{&given.select, true, "--select"},
                                                std::tuple{&given.ignore, false, "--ignore"}}) {
        if (std::optional<std::string> unknown = markchecks(*names, result.selected, value)) {
            return usageerror(result, "unknown check '" + *unknown + "' in " + option + "; the checks are " +
                                          knownchecks());
        }
    }
    result.what = wanted;
    return result;
}

std::string usagetext() {
    std::string text =
        "Usage: vettle check [OPTIONS] [PATH ...]\n"
        "       vettle rule CHECK | --all\n"
        "       vettle [--game-list FILE | --emulator PROGRAM] [--cheat-file FILE]\n"
        "              [--strict] [--diagnostics] [--statistics]\n"
        "              [--select CHECK,...] [--ignore CHECK,...]\n"
        "              [--baseline FILE] [--write-baseline FILE]\n"
        "              [--report-dir DIR | --no-reports] [--diff]\n"
        "       vettle --help | --version\n"
        "\n"
        "Checks colon-format cheat files against an emulator's game list.\n"
        "\n"
        "vettle check [OPTIONS] [PATH ...]\n"
        "  Checks each cheat file named, and the .dat files of each folder named\n"
        "  (cheat.dat when none is; - for standard input), prints each finding as\n"
        "  FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK] and a summary, and exits with\n"
        "  1 when an error is shown. Writes no report.\n"
        "  --game-list FILE    the game list (- for standard input): -listfull or\n"
        "                      -listxml output, a Logiqx XML DAT, a ClrMamePro DAT or\n"
        "                      -listinfo output\n"
        "  --emulator PROGRAM  run PROGRAM -listfull for the game list\n"
        "  --config FILE       read FILE, not the vettle.toml found from here upward\n"
        "  --isolated          read no config file\n"
        "  --select CHECK,...  these checks instead of the default ones (ALL: every one)\n"
        "  --extend-select CHECK,...\n"
        "                      these checks too\n"
        "  --ignore CHECK,...  not these; each of the three may be given again\n"
        "  --fix               write the certain fixes into the files, then show what\n"
        "                      remains\n"
        "  --diff              print the certain fixes as one patch instead\n"
        "  --baseline FILE     hide the findings FILE records\n"
        "  --write-baseline FILE\n"
        "                      record the findings shown in FILE\n"
        "  --statistics        print how many findings each check made instead of them\n"
        "  --stdin-filename NAME\n"
        "                      the name standard input is shown by\n"
        "  --output-format FORMAT\n"
        "                      how findings are written: concise (the default), full\n"
        "                      (with the line and the fix), json, json-lines, sarif,\n"
        "                      github (workflow commands), gitlab (Code Quality)\n"
        "  --dialect NAME      whose loader the checks follow: classic (the default),\n"
        "                      fbneo or mame2003-plus\n"
        "  --exit-zero         exit with 0 whatever is found\n"
        "  -q, --quiet         no summary\n"
        "  --silent            print nothing\n"
        "\n"
        "vettle rule CHECK | --all\n"
        "  Explains a check: what it finds, why it matters, an example, its fix.\n"
        "\n"
        "vettle [OPTIONS]\n"
        "  The classic run. Without options it runs \"mame.exe -listfull\" and reads\n"
        "  cheat.dat, both in the current folder, and writes the reports\n"
        "  cheatscanresults.txt and cheatscanwarnings.txt there.\n"
        "  --game-list FILE    read the game list from FILE (- for standard input)\n"
        "                      instead of running the emulator\n"
        "  --emulator PROGRAM  run PROGRAM -listfull instead of mame.exe, without a shell\n"
        "  --cheat-file FILE   check FILE instead of cheat.dat\n"
        "  --strict            exit with 1 when an error finding is shown\n"
        "  --diagnostics       print each finding as FILE:LINE:COLUMN: SEVERITY: MESSAGE\n"
        "                      [CHECK], in the order of the file, instead of the\n"
        "                      console transcript\n"
        "  --statistics        then print how many findings each check made\n"
        "  --select CHECK,...  show and count these checks only (default: all)\n"
        "  --ignore CHECK,...  leave these checks out; both may be given again\n"
        "  --baseline FILE     hide the findings FILE records\n"
        "  --write-baseline FILE\n"
        "                      record the findings of the selected checks in FILE\n"
        "  --report-dir DIR    write the reports into DIR, an existing folder\n"
        "  --no-reports        write no report\n"
        "  --diff              print a patch of the certain fixes (titles, renamed\n"
        "                      shortnames, lower-case digits) instead of the\n"
        "                      transcript; the cheat file is never written\n"
        "  -h, --help          show this text\n"
        "  --version           show the version\n"
        "\n"
        "Checks:\n";
    // Columns as wide as the longest name, and at least as today's.
    std::size_t width = std::max<std::size_t>(checknamewidth() + 2, 20);
    for (const checkinfo& check : checktable) {
        std::string name(check.name), level(severityname(check.level));
        text += "  " + name + std::string(width - name.size(), ' ') + level + std::string(9 - level.size(), ' ') +
                std::string(check.summary) + "\n";
    }
    text +=
        "\n"
        "Exit codes: 0 checked; 1 an error finding (vettle check, or --strict); 2 bad\n"
        "command line; 3 a file could not be opened; 5 an input could not be read to\n"
        "its end; 6 a report or standard output could not be written in full.\n"
        "\n"
        "Examples:\n"
        "  mame -listxml > games.xml\n"
        "  vettle check --game-list games.xml cheats/\n"
        "  vettle rule field-format\n"
        "  vettle --game-list games.xml --cheat-file cheats/cheat.dat --strict\n"
        "  vettle --diagnostics --ignore suspect-mask,zero-value --statistics\n"
        "  vettle.exe --emulator \"C:\\Program Files\\MAME\\mame.exe\"\n";
    return text;
}
