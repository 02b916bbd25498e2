#include "config.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>

#include <toml++/toml.h>

#include "checks/checktable.h"
#include "checks/dialect.h"
#include "host.h"
#include "report/emitter.h"
#include "text/closest.h"
#include "text/escaped.h"
#include "text/glob.h"

namespace fs = std::filesystem;

namespace {

// A config file is a few lines; this keeps a wrong name (a device, a
// dump) from filling memory.
constexpr std::size_t largestconfig = 1 << 20;

std::string quotedname(std::string_view text) { return "'" + escaped(text) + "'"; }

std::string_view kindof(toml::node_type type) {
    switch (type) {
    case toml::node_type::table: return "a table";
    case toml::node_type::array: return "an array";
    case toml::node_type::string: return "a string";
    case toml::node_type::integer: return "an integer";
    case toml::node_type::floating_point: return "a number";
    case toml::node_type::boolean: return "true or false";
    case toml::node_type::date: return "a date";
    case toml::node_type::time: return "a time";
    case toml::node_type::date_time: return "a date and time";
    case toml::node_type::none: break;
    }
    return "nothing";
}

std::string list(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::string_view name : names) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

std::string hint(std::string_view given, const std::vector<std::string_view>& known, std::string_view kind) {
    std::string_view close = closestname(given, known);
    if (!close.empty()) return "; did you mean '" + std::string(close) + "'?";
    return "; the " + std::string(kind) + " are " + list(known);
}

std::vector<std::string_view> checknames() {
    std::vector<std::string_view> names{"ALL"};
    for (const checkinfo& check : checktable) names.push_back(check.name);
    return names;
}

// The entries of a table in the order they stand in the file (toml++ keeps
// them sorted by key), so the first wrong one is the one reported.
std::vector<std::pair<const toml::key*, const toml::node*>> infileorder(const toml::table& table) {
    std::vector<std::pair<const toml::key*, const toml::node*>> entries;
    for (const auto& [key, value] : table) entries.emplace_back(&key, &value);
    std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        const toml::source_position &x = a.first->source().begin, &y = b.first->source().begin;
        return x.line != y.line ? x.line < y.line : x.column < y.column;
    });
    return entries;
}

// Reads the entries of one file; the first wrong one ends it, said in
// `error`.
class reader {
public:
    reader(const std::string& path, std::string& error) : path_(path), error_(error) {}

    bool wrong(const toml::source_region& where, const std::string& what) {
        error_ = escaped(path_);
        if (where.begin.line != 0) error_ += ":" + std::to_string(where.begin.line);
        error_ += ": " + what;
        return false;
    }

    // A value's line, or its key's where the value has none.
    static const toml::source_region& at(const toml::key& key, const toml::node& value) {
        return value.source().begin.line != 0 ? value.source() : key.source();
    }

    // `what` names the entry in messages: "'game-list'", or "'per-file-ignores'
    // for 'a/*.dat'".
    bool text(const std::string& what, const toml::key& key, const toml::node& value, std::string& into) {
        if (!value.is_string()) {
            return wrong(at(key, value), what + " must be a string, not " + std::string(kindof(value.type())));
        }
        into = value.as_string()->get();
        if (into.empty()) return wrong(at(key, value), what + " must not be empty");
        return true;
    }

    bool checks(const std::string& what, const toml::key& key, const toml::node& value,
                std::vector<std::string>& into) {
        const toml::array* names = value.as_array();
        if (names == nullptr) {
            return wrong(at(key, value),
                         what + " must be an array of check names, not " + std::string(kindof(value.type())));
        }
        static const std::vector<std::string_view> known = checknames();
        for (const toml::node& name : *names) {
            if (!name.is_string()) {
                return wrong(at(key, name), what + " must hold check names, not " + std::string(kindof(name.type())));
            }
            const std::string& given = name.as_string()->get();
            if (given != "ALL" && findcheck(given) == nullptr) {
                return wrong(at(key, name), "unknown check " + quotedname(given) + " in " + what + hint(given, known, "checks"));
            }
            into.push_back(given);
        }
        return true;
    }

    bool dialectname(const std::string& what, const toml::key& key, const toml::node& value, std::string& into) {
        if (!text(what, key, value, into)) return false;
        if (finddialect(into) != nullptr) return true;
        static const std::vector<std::string_view> known = dialectnames();
        return wrong(at(key, value), "unknown dialect " + quotedname(into) + " in " + what + hint(into, known, "dialects"));
    }

    // A table of patterns, the value of each read by `each`.
    template <class entry, class readvalue>
    bool patterns(const toml::key& key, const toml::node& value, std::vector<std::pair<std::string, entry>>& into,
                  readvalue each) {
        const toml::table* table = value.as_table();
        if (table == nullptr) {
            return wrong(at(key, value), quotedname(key.str()) + " must be a table of file patterns, not " +
                                             std::string(kindof(value.type())));
        }
        for (const auto& [pattern, entryvalue] : infileorder(*table)) {
            // Paths are matched with '/' on every host: a '\' would never match.
            if (pattern->str().find('\\') != std::string_view::npos) {
                return wrong(pattern->source(), "pattern " + quotedname(pattern->str()) +
                                                    " holds '\\'; patterns take '/' between folders");
            }
            into.emplace_back(std::string(pattern->str()), entry());
            std::string what = quotedname(key.str()) + " for " + quotedname(pattern->str());
            if (!each(*this, what, *pattern, *entryvalue, into.back().second)) return false;
        }
        return true;
    }

private:
    const std::string& path_;
    std::string& error_;
};

// One row a key. Keys to come (a dialect, per file or not, an output
// format) are rows here.
struct knownkey {
    std::string_view name;
    bool (*read)(reader& in, const toml::key& key, const toml::node& value, configfile& out);
};

const knownkey knownkeys[] = {
    {"game-list", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.text(quotedname(k.str()), k, v, out.gamelist.emplace());
     }},
    {"emulator", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.text(quotedname(k.str()), k, v, out.emulator.emplace());
     }},
    {"baseline", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.text(quotedname(k.str()), k, v, out.baseline.emplace());
     }},
    {"select", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.checks(quotedname(k.str()), k, v, out.select.emplace());
     }},
    {"extend-select", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.checks(quotedname(k.str()), k, v, out.extendselect);
     }},
    {"ignore", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.checks(quotedname(k.str()), k, v, out.ignore);
     }},
    {"output-format", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         if (!in.text(quotedname(k.str()), k, v, out.outputformat.emplace())) return false;
         if (findformat(*out.outputformat) != nullptr) return true;
         return in.wrong(reader::at(k, v), unknownformat(escaped(*out.outputformat), quotedname(k.str())));
     }},
    {"per-file-ignores", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.patterns(k, v, out.perfileignores, [](reader& r, const std::string& what, const toml::key& pattern,
                                                         const toml::node& value, std::vector<std::string>& into) {
             return r.checks(what, pattern, value, into);
         });
     }},
    {"per-file-game-list", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.patterns(k, v, out.perfilegamelist, [](reader& r, const std::string& what, const toml::key& pattern,
                                                          const toml::node& value, std::string& into) {
             return r.text(what, pattern, value, into);
         });
     }},
    {"dialect", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.dialectname(quotedname(k.str()), k, v, out.dialect.emplace());
     }},
    {"per-file-dialect", [](reader& in, const toml::key& k, const toml::node& v, configfile& out) {
         return in.patterns(k, v, out.perfiledialect, [](reader& r, const std::string& what, const toml::key& pattern,
                                                         const toml::node& value, std::string& into) {
             return r.dialectname(what, pattern, value, into);
         });
     }},
};

std::vector<std::string_view> keynames() {
    std::vector<std::string_view> names;
    for (const knownkey& key : knownkeys) names.push_back(key.name);
    return names;
}

// The whole file, or false with `error` set.
bool readwhole(const std::string& path, std::string& text, std::string& error) {
    std::FILE* file = openfile(path.c_str(), "rb");
    if (file == nullptr) {
        error = escaped(path) + ": cannot be read: " + errortext(errno);
        return false;
    }
    char block[8192];
    std::size_t got = 0;
    while (text.size() <= largestconfig && (got = std::fread(block, 1, sizeof block, file)) != 0) {
        text.append(block, got);
    }
    bool failed = std::ferror(file) != 0;
    int why = errno;
    std::fclose(file);
    if (failed) {
        error = escaped(path) + ": cannot be read: " + errortext(why);
        return false;
    }
    if (text.size() > largestconfig) {
        error = escaped(path) + ": is over 1 MB, too large for a config file";
        return false;
    }
    return true;
}

// Absolute, with the folders as they really are (links followed), so two
// ways to one folder give one path.
fs::path real(const fs::path& path) {
    std::error_code error;
    fs::path whole = fs::absolute(path, error);
    fs::path resolved = fs::weakly_canonical(whole, error);
    return error ? whole.lexically_normal() : resolved;
}

}  // namespace

std::optional<std::string> findconfig(const std::string& startfolder) {
    fs::path folder = real(fs::u8path(startfolder.empty() ? "." : startfolder));
    std::string climbed;
    for (;;) {
        std::error_code error;
        fs::file_status found = fs::status(folder / configname, error);
        if (fs::exists(found) && !fs::is_directory(found)) {
            if (startfolder.empty() || startfolder == ".") return climbed + configname;
            char last = startfolder.back();
            return startfolder + (last == '/' || last == '\\' ? "" : "/") + climbed + configname;
        }
        // .git is a folder in a clone, a file in a worktree or submodule.
        if (fs::exists(fs::symlink_status(folder / ".git", error))) return {};
        fs::path above = folder.parent_path();
        if (above.empty() || above == folder) return {};
        folder = above;
        climbed += "../";
    }
}

bool readconfig(const std::string& path, configfile& out, std::string& error) {
    out = configfile();
    out.path = path;
    std::string parent = fs::u8path(path).parent_path().generic_u8string();
    out.folder = parent.empty() ? "." : parent;

    std::string text;
    if (!readwhole(path, text, error)) return false;
    reader in(path, error);
    toml::parse_result parsed = toml::parse(text, std::string_view(path));
    if (!parsed) {
        // toml++'s own words, begun as the tool's messages are.
        std::string what = escaped(parsed.error().description());
        if (!what.empty() && what[0] >= 'A' && what[0] <= 'Z') what[0] = static_cast<char>(what[0] - 'A' + 'a');
        return in.wrong(parsed.error().source(), what);
    }

    static const std::vector<std::string_view> known = keynames();
    const toml::key* gamelistkey = nullptr;
    for (const auto& entry : infileorder(parsed.table())) {
        const toml::key* key = entry.first;
        const toml::node* value = entry.second;
        auto row = std::find_if(std::begin(knownkeys), std::end(knownkeys),
                                [&](const knownkey& k) { return k.name == key->str(); });
        if (row == std::end(knownkeys)) {
            return in.wrong(key->source(), "unknown key " + quotedname(key->str()) + hint(key->str(), known, "keys"));
        }
        if (!row->read(in, *key, *value, out)) return false;
        if (row->name == "game-list" || row->name == "emulator") {
            // As on the command line: the list is either read or made.
            if (gamelistkey != nullptr) {
                return in.wrong(key->source(), quotedname(key->str()) + " cannot be used with " +
                                                   quotedname(gamelistkey->str()));
            }
            gamelistkey = key;
        }
    }
    return true;
}

std::string configpath(const configfile& config, const std::string& relative) {
    if (fs::u8path(relative).has_root_path() || config.folder == ".") return relative;
    char last = config.folder.back();
    return config.folder + (last == '/' || last == '\\' ? "" : "/") + relative;
}

std::string configprogram(const configfile& config, const std::string& program) {
    if (program.find_first_of("/\\") == std::string::npos) return program;
    return configpath(config, program);
}

std::string configrelative(const configfile& config, const std::string& path) {
    fs::path folder = real(fs::u8path(config.folder));
    // The file's own name stays: a link is matched by the name it has here.
    fs::path file = fs::u8path(path);
    file = real(file.parent_path().empty() ? fs::path(".") : file.parent_path()) / file.filename();
    fs::path relative = file.lexically_relative(folder);
    // Empty when no way leads there (another drive).
    return (relative.empty() ? file : relative).generic_u8string();
}

const std::string* gamelistfor(const configfile& config, const std::string& cheatrelative, bool casesensitive) {
    for (const auto& [pattern, list] : config.perfilegamelist) {
        if (globmatch(pattern, cheatrelative, casesensitive)) return &list;
    }
    return config.gamelist ? &*config.gamelist : nullptr;
}

const std::string* dialectfor(const configfile& config, const std::string& cheatrelative, bool casesensitive) {
    for (const auto& [pattern, name] : config.perfiledialect) {
        if (globmatch(pattern, cheatrelative, casesensitive)) return &name;
    }
    return config.dialect ? &*config.dialect : nullptr;
}

std::vector<std::string> ignoresfor(const configfile& config, const std::string& cheatrelative, bool casesensitive) {
    std::vector<std::string> checks;
    for (const auto& [pattern, names] : config.perfileignores) {
        if (!globmatch(pattern, cheatrelative, casesensitive)) continue;
        for (const std::string& name : names) {
            if (std::find(checks.begin(), checks.end(), name) == checks.end()) checks.push_back(name);
        }
    }
    return checks;
}
