#include "options.h"

#include <cstddef>

namespace {

struct knownoption {
    const char* name;
    const char* alias;
    std::string options::*value;  // options that take a value
    bool options::*flag;          // options that do not
    options::action action;       // what a bare option asks for
};

const knownoption knownoptions[] = {
    {"--help", "-h", nullptr, nullptr, options::action::help},
    {"--version", nullptr, nullptr, nullptr, options::action::version},
    {"--game-list", nullptr, &options::gamelist, nullptr, options::action::check},
    {"--emulator", nullptr, &options::emulator, nullptr, options::action::check},
    {"--cheat-file", nullptr, &options::cheatfile, nullptr, options::action::check},
    {"--strict", nullptr, nullptr, &options::strict, options::action::check},
    {"--diagnostics", nullptr, nullptr, &options::diagnostics, options::action::check},
};
constexpr std::size_t knowncount = sizeof knownoptions / sizeof knownoptions[0];

// Matches "--name" and "--name=value"; `value` is then what follows the '='.
const knownoption* findoption(const std::string& argument, const std::string*& value, std::string& after) {
    for (const knownoption& known : knownoptions) {
        std::string name = known.name;
        if (argument.compare(0, name.size(), name) == 0 &&
            (argument.size() == name.size() || argument[name.size()] == '=')) {
            value = nullptr;
            if (argument.size() > name.size()) {
                after = argument.substr(name.size() + 1);
                value = &after;
            }
            return &known;
        }
        if (known.alias != nullptr && argument == known.alias) {
            value = nullptr;
            return &known;
        }
    }
    return nullptr;
}

options usageerror(options result, const std::string& problem) {
    result.what = options::action::usageerror;
    result.problem = problem;
    return result;
}

}  // namespace

options parseoptions(const std::vector<std::string>& arguments) {
    options result;
    bool asked[knowncount] = {};
    options::action wanted = options::action::check;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::string* value = nullptr;
        std::string after;
        const knownoption* known = findoption(argument, value, after);
        if (known == nullptr) {
            return usageerror(result, (argument[0] == '-' ? "unknown option '" : "unexpected argument '") + argument + "'");
        }
        const std::string name = known->name;
        bool& seen = asked[known - knownoptions];
        if (seen) return usageerror(result, "option '" + name + "' is given twice");
        seen = true;
        if (known->value == nullptr) {
            if (value != nullptr) return usageerror(result, "option '" + name + "' takes no value");
            if (known->flag != nullptr) result.*(known->flag) = true;
            if (known->action != options::action::check && wanted == options::action::check) wanted = known->action;
            continue;
        }
        if (value == nullptr && i + 1 < arguments.size()) value = &arguments[++i];
        if (value == nullptr || value->empty()) return usageerror(result, "option '" + name + "' needs a value");
        result.*(known->value) = *value;
    }
    if (!result.gamelist.empty() && !result.emulator.empty()) {
        return usageerror(result, "option '--emulator' cannot be used with '--game-list'");
    }
    result.what = wanted;
    return result;
}

std::string usagetext() {
    return "Usage: vettle [--game-list FILE | --emulator PROGRAM] [--cheat-file FILE] [--strict]\n"
           "              [--diagnostics]\n"
           "       vettle --help | --version\n"
           "\n"
           "Checks a MAME cheat file against the emulator's game list. Without options\n"
           "it runs \"mame.exe -listfull\" and reads cheat.dat, both in the current\n"
           "folder. The reports, cheatscanresults.txt and cheatscanwarnings.txt, are\n"
           "always written to the current folder.\n"
           "\n"
           "  --game-list FILE    read the game list from FILE (- for standard input)\n"
           "                      instead of running the emulator: -listfull or\n"
           "                      -listxml output, a Logiqx XML DAT, a ClrMamePro DAT\n"
           "                      or -listinfo output, told apart by their content\n"
           "  --emulator PROGRAM  run PROGRAM -listfull instead of mame.exe, without a shell\n"
           "  --cheat-file FILE   check FILE instead of cheat.dat\n"
           "  --strict            exit with 1 when the results report has a finding\n"
           "                      other than games without cheats\n"
           "  --diagnostics       print each finding as FILE:LINE:COLUMN: SEVERITY: MESSAGE\n"
           "                      [CHECK], in the order of the file, instead of the\n"
           "                      console transcript\n"
           "  -h, --help          show this text\n"
           "  --version           show the version\n"
           "\n"
           "Exit codes: 0 checked; 1 findings, with --strict; 2 bad command line;\n"
           "3 a file could not be opened; 5 an input could not be read to its end;\n"
           "6 a report or standard output could not be written in full.\n"
           "\n"
           "Examples:\n"
           "  mame -listxml > games.xml\n"
           "  vettle --game-list games.xml --cheat-file cheats/cheat.dat --strict\n"
           "  vettle.exe --emulator \"C:\\Program Files\\MAME\\mame.exe\"\n";
}
