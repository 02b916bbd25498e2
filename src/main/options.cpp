#include "options.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <tuple>
#include <utility>

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
    options::action action;
};

// Given more than once, each adds to the ones before.
struct lists {
    std::vector<std::string> select, ignore;
};

std::vector<knownoption> knownoptions(lists& given) {
    using a = options::action;
    return {
        {"--help", "-h", kind::request, nullptr, nullptr, nullptr, a::help},
        {"--version", nullptr, kind::request, nullptr, nullptr, nullptr, a::version},
        {"--game-list", nullptr, kind::value, nullptr, &options::gamelist, nullptr, a::check},
        {"--emulator", nullptr, kind::value, nullptr, &options::emulator, nullptr, a::check},
        {"--cheat-file", nullptr, kind::value, nullptr, &options::cheatfile, nullptr, a::check},
        {"--strict", nullptr, kind::flag, &options::strict, nullptr, nullptr, a::check},
        {"--diagnostics", nullptr, kind::flag, &options::diagnostics, nullptr, nullptr, a::check},
        {"--statistics", nullptr, kind::flag, &options::statistics, nullptr, nullptr, a::check},
        {"--select", nullptr, kind::list, nullptr, nullptr, &given.select, a::check},
        {"--ignore", nullptr, kind::list, nullptr, nullptr, &given.ignore, a::check},
        {"--baseline", nullptr, kind::value, nullptr, &options::baseline, nullptr, a::check},
        {"--write-baseline", nullptr, kind::value, nullptr, &options::writebaseline, nullptr, a::check},
        {"--report-dir", nullptr, kind::value, nullptr, &options::reportdir, nullptr, a::check},
        {"--no-reports", nullptr, kind::flag, &options::noreports, nullptr, nullptr, a::check},
        {"--diff", nullptr, kind::flag, &options::diff, nullptr, nullptr, a::check},
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

}  // namespace

options parseoptions(const std::vector<std::string>& arguments) {
    options result;
    lists given;
    const std::vector<knownoption> known = knownoptions(given);
    std::vector<bool> asked(known.size());
    options::action wanted = options::action::check;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string* value = nullptr;
        std::string after;
        const knownoption* option = findoption(known, argument, value, after);
        if (option == nullptr) {
            return usageerror(result, (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + argument + "'");
        }
        const std::string name = option->name;
        auto seen = asked.begin() + (option - known.data());
        if (*seen && option->takes != kind::list) return usageerror(result, "option '" + name + "' is given twice");
        *seen = true;
        if (option->takes == kind::flag || option->takes == kind::request) {
            if (value != nullptr) return usageerror(result, "option '" + name + "' takes no value");
            if (option->flag != nullptr) result.*(option->flag) = true;
            if (option->action != options::action::check && wanted == options::action::check) wanted = option->action;
            continue;
        }
        if (value == nullptr && i + 1 < arguments.size()) value = &arguments[++i];
        if (value == nullptr || value->empty()) return usageerror(result, "option '" + name + "' needs a value");
        if (option->takes == kind::list) {
            option->list->push_back(*value);
        } else {
            result.*(option->value) = *value;
        }
    }
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
        "Usage: vettle [--game-list FILE | --emulator PROGRAM] [--cheat-file FILE]\n"
        "              [--strict] [--diagnostics] [--statistics]\n"
        "              [--select CHECK,...] [--ignore CHECK,...]\n"
        "              [--baseline FILE] [--write-baseline FILE]\n"
        "              [--report-dir DIR | --no-reports] [--diff]\n"
        "       vettle --help | --version\n"
        "\n"
        "Checks a MAME cheat file against the emulator's game list. Without options\n"
        "it runs \"mame.exe -listfull\" and reads cheat.dat, both in the current\n"
        "folder, and writes the reports cheatscanresults.txt and\n"
        "cheatscanwarnings.txt there.\n"
        "\n"
        "  --game-list FILE    read the game list from FILE (- for standard input)\n"
        "                      instead of running the emulator: -listfull or\n"
        "                      -listxml output, a Logiqx XML DAT, a ClrMamePro DAT\n"
        "                      or -listinfo output, told apart by their content\n"
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
        "Exit codes: 0 checked; 1 an error finding, with --strict; 2 bad command\n"
        "line; 3 a file could not be opened; 5 an input could not be read to its\n"
        "end; 6 a report or standard output could not be written in full.\n"
        "\n"
        "Examples:\n"
        "  mame -listxml > games.xml\n"
        "  vettle --game-list games.xml --cheat-file cheats/cheat.dat --strict\n"
        "  vettle --diagnostics --ignore suspect-mask,zero-value --statistics\n"
        "  vettle.exe --emulator \"C:\\Program Files\\MAME\\mame.exe\"\n";
    return text;
}
