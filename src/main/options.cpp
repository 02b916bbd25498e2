#include "options.h"

#include <cstring>

namespace {

struct knownoption {
    const char* name;
    const char* alias;
    const char* options::*value;  // options that take a value
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

// Matches "--name" and "--name=value"; `value` is then what follows the '='.
const knownoption* findoption(const char* argument, const char*& value) {
    for (const knownoption& known : knownoptions) {
        std::size_t length = std::strlen(known.name);
        if (std::strncmp(argument, known.name, length) == 0 && (argument[length] == '\0' || argument[length] == '=')) {
            value = argument[length] == '=' ? argument + length + 1 : nullptr;
            return &known;
        }
        if (known.alias != nullptr && std::strcmp(argument, known.alias) == 0) {
            value = nullptr;
            return &known;
        }
    }
    return nullptr;
}

options usageerror(options result, const char* problem, const char* culprit) {
    result.what = options::action::usageerror;
    result.problem = problem;
    result.culprit = culprit;
    return result;
}

}  // namespace

options parseoptions(int argc, char** argv) {
    options result;
    bool asked[sizeof knownoptions / sizeof knownoptions[0]] = {};
    options::action wanted = options::action::check;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* value = nullptr;
        const knownoption* known = findoption(argument, value);
        if (known == nullptr) {
            return usageerror(result, argument[0] == '-' ? "unknown option '%s'" : "unexpected argument '%s'",
                              argument);
        }
        bool& seen = asked[known - knownoptions];
        if (seen) return usageerror(result, "option '%s' is given twice", known->name);
        seen = true;
        if (known->value == nullptr) {
            if (value != nullptr) return usageerror(result, "option '%s' takes no value", known->name);
            if (known->flag != nullptr) result.*(known->flag) = true;
            if (known->action != options::action::check && wanted == options::action::check) wanted = known->action;
            continue;
        }
        if (value == nullptr && i + 1 < argc) value = argv[++i];
        if (value == nullptr || *value == '\0') return usageerror(result, "option '%s' needs a value", known->name);
        result.*(known->value) = value;
    }
    if (result.gamelist != nullptr && result.emulator != nullptr) {
        return usageerror(result, "option '%s' cannot be used with '--game-list'", "--emulator");
    }
    result.what = wanted;
    return result;
}

const char* const usagetext =
    "Usage: vettle [--game-list FILE | --emulator PROGRAM] [--cheat-file FILE] [--strict]\n"
    "              [--diagnostics]\n"
    "       vettle --help | --version\n"
    "\n"
    "Checks a MAME cheat file against the emulator's game list. Without options\n"
    "it runs \"mame.exe -listfull\" and reads cheat.dat, both in the current\n"
    "folder. The reports, cheatscanresults.txt and cheatscanwarnings.txt, are\n"
    "always written to the current folder.\n"
    "\n"
    "  --game-list FILE    read the game list from FILE, a saved -listfull output\n"
    "                      (- for standard input); no emulator is run\n"
    "  --emulator PROGRAM  run PROGRAM -listfull instead of mame.exe, without a shell\n"
    "  --cheat-file FILE   check FILE instead of cheat.dat\n"
    "  --strict            exit with 1 when the results report has any finding\n"
    "  --diagnostics       print each finding as FILE:LINE:COLUMN: SEVERITY: MESSAGE\n"
    "                      [CHECK], in the order of the file, instead of the\n"
    "                      console transcript\n"
    "  -h, --help          show this text\n"
    "  --version           show the version\n"
    "\n"
    "Exit codes: 0 checked; 1 findings, with --strict; 2 bad command line;\n"
    "3 a file could not be opened; 4 more than 10000 games; 5 an input could\n"
    "not be read to its end; 6 a report could not be written in full.\n"
    "\n"
    "Examples:\n"
    "  mame -listfull > games.txt\n"
    "  vettle --game-list games.txt --cheat-file cheats/cheat.dat --strict\n"
    "  vettle.exe --emulator \"C:\\Program Files\\MAME\\mame.exe\"\n";
