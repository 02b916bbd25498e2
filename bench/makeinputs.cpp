// Writes a benchmark's inputs, the same bytes for the same arguments on any
// host: listfull.txt (the emulator's game list) and cheat.dat.
//
//   makeinputs realistic|adversarial|output-heavy|hostile <folder> [megabytes] [seed]
//
// realistic:    8000 games, blocks of 5 to 40 cheat lines in title order,
//               the list swept again and again until the size is reached;
//               about 1% faulty lines of every kind, comments, empty lines,
//               a few CR LF ends and over-long lines.
// adversarial:  the same games and lines, but blocks of 1 to 3 lines in
//               random order, so the game search jumps on almost every block.
// output-heavy: the realistic blocks with the fields of a real cheat file:
//               most masks are 0000FFFF or 000000FF, which the field check
//               calls suspect, about 9% of lines are type 60 or 62, and a
//               zero address on 15% of the others draws a warning; ASCII
//               only, as real cheat files are.
// hostile:      anything a damaged file may hold, for comparing two builds:
//               a game list with odd lines, and cheat lines mixed with
//               random bytes, long lines, CR LF and lone CR, NUL, high
//               bytes, end markers and now and then a Ctrl-Z or thousands
//               of lines with high bytes.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "generator.h"

namespace {

constexpr int gamecount = 8000;

const char* const words[] = {"Fighter", "Space", "Dragon", "Galaxy", "Racing", "Ninja", "Star", "Power",
                             "Legend", "Turbo", "Quest", "Blaster", "Kong", "Force", "Warrior", "Zone"};
const char* const regions[] = {"World", "US", "Japan", "Euro", "rev 1", "set 2", "bootleg", "Asia"};
const char* const cheats[] = {"Infinite Lives", "Infinite Time", "Infinite Energy PL1", "Invincibility",
                              "Always have Laser", "Select Starting Round", "Max Power", "Infinite Credits"};

template <std::size_t n>
const char* pick(generator& rng, const char* const (&list)[n]) {
    return list[rng.below(static_cast<int>(n))];
}

std::string hex(generator& rng, int digits) {
    static const char digitchars[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < digits; ++i) text += digitchars[rng.below(16)];
    return text;
}

struct game {
    std::string shortname;
    std::string title;       // as the emulator lists it
    std::string blocktitle;  // as the cheat file names it
    bool hascheats;
};

std::vector<game> makegames(generator& rng) {
    static const char namechars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::set<std::string> names;
    while (static_cast<int>(names.size()) < gamecount) {
        std::string name(1, namechars[rng.below(26)]);
        int length = 3 + rng.below(6);
        while (static_cast<int>(name.size()) < length) name += namechars[rng.below(36)];
        names.insert(name);
    }
    std::vector<game> games;
    for (const std::string& name : names) {
        game g{name, "", "", rng.chance(70)};
        // Most titles start like the shortname, so title order is close to
        // shortname order; the rest sort anywhere.
        if (rng.chance(90)) {
            g.title = std::string(1, static_cast<char>(name[0] - 'a' + 'A')) + name.substr(1) + " " +
                      pick(rng, words);
        } else {
            g.title = std::string(pick(rng, words)) + " " + pick(rng, words);
        }
        g.title += std::string(" (") + pick(rng, regions) + ")";
        g.blocktitle = rng.chance(1) ? g.title + " (alt)" : g.title;
        games.push_back(g);
    }
    return games;
}

void writegamelist(const std::string& path, const std::vector<game>& games) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::fputs("Name:             Description:\n", out);
    for (const game& g : games) {
        std::fprintf(out, "%-18s\"%s\"\n", g.shortname.c_str(), g.title.c_str());
    }
    std::fclose(out);
}

enum class kind { realistic, adversarial, outputheavy, hostile };

// Type, address, data and extended mask as a real cheat file mixes them:
// 43% 0000FFFF, 34% 000000FF, 9% 00000000 (the 60 and 62 lines), 5%
// FFFFFFFF, 2% 00FFFFFF, the rest other values.
void realfields(generator& rng, std::string& type, std::string& address, std::string& data,
                std::string& extended) {
    if (rng.chance(9)) {
        type = rng.chance(78) ? "60000000" : "62000000";
        address = rng.chance(50) ? "0000" : "000000";
        data = extended = "00000000";
        return;
    }
    static const char* const types[] = {"00000000", "00000000", "00000000", "00000000",
                                        "00010000", "00810000", "00300000", "20000000"};
    type = pick(rng, types);
    address = rng.chance(15) ? std::string(4 + 2 * rng.below(2), '0') : hex(rng, 4 + 2 * rng.below(2));
    data = rng.chance(50) ? "00000000" : hex(rng, 8);
    int mask = rng.below(91);
    extended = mask < 43 ? "0000FFFF" : mask < 77 ? "000000FF" : mask < 82 ? "FFFFFFFF" : mask < 84 ? "00FFFFFF"
                                                                                                    : hex(rng, 8);
}

// One cheat line of the usual shape, or about 1% of the time one with a
// fault of some kind; in the realistic mix about 15% draw a zero-value
// warning.
std::string cheatline(generator& rng, const std::string& shortname, kind k) {
    std::string name = shortname, type = "00000000", address = hex(rng, 4 + rng.below(3));
    std::string data = hex(rng, 8), extended = rng.chance(15) ? "00000000" : "FFFFFFFF";
    if (k == kind::outputheavy) realfields(rng, type, address, data, extended);
    std::string description = pick(rng, cheats);
    if (rng.chance(1)) {
        switch (rng.below(10)) {
            case 0: name += "x"; break;                       // not this block's game
            case 1: type = "0000000"; break;                  // short type
            case 2: type = "0000000g"; break;                 // not hexadecimal
            case 3: address = "12"; break;                    // short address
            case 4: data += "0"; break;                       // long data
            case 5: extended = "FFFFFFF"; break;              // short extended
            case 6: type = "60000000"; break;                 // unneeded fields set
            case 7: extended = "0000FFFF"; break;             // suspect mask
            case 8:                                           // high bytes, but
                if (k != kind::outputheavy) description += " \xE9t\xE9";  // real files are ASCII
                break;
            case 9: return ":" + name + ":" + type + "\n";    // fields missing
        }
    }
    if (rng.permille(1)) description += std::string(600 + rng.below(1000), '.');  // over-long
    return ":" + name + ":" + type + ":" + address + ":" + data + ":" + extended + ":" + description;
}

void writeblock(std::string& out, generator& rng, const game& g, int lines, kind k) {
    const char* end = rng.permille(2) ? "\r\n" : "\n";
    if (rng.chance(3)) out += std::string("; cheats found by player ") + std::to_string(rng.below(500)) + end;
    out += "; [ " + g.blocktitle + " ]" + end;
    for (int i = 0; i < lines; ++i) out += cheatline(rng, g.shortname, k) + end;
    out += end;
}

// Blocks for games the emulator does not list.
game unlisted(generator& rng) {
    std::string name = "zz" + hex(rng, 4);
    for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return {name, "", "Removed Game (" + name + ")", true};
}

void writecheatfile(const std::string& path, kind k, std::vector<game> games, generator& rng, long long size) {
    bool adversarial = k == kind::adversarial;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::perror(path.c_str());
        std::exit(1);
    }
    std::sort(games.begin(), games.end(), [](const game& a, const game& b) { return a.blocktitle < b.blocktitle; });
    std::vector<const game*> withcheats;
    for (const game& g : games) {
        if (g.hascheats) withcheats.push_back(&g);
    }
    std::fputs("; Cheat file generated for the benchmark\n\n", out);
    long long written = 0;
    std::size_t next = 0;
    std::string block;
    while (written < size) {
        block.clear();
        const game* g = adversarial ? withcheats[rng.below(static_cast<int>(withcheats.size()))]
                                    : withcheats[next++ % withcheats.size()];
        int lines = adversarial ? 1 + rng.below(3) : 5 + rng.below(36);
        if (rng.permille(5)) {
            writeblock(block, rng, unlisted(rng), lines, k);
        }
        writeblock(block, rng, *g, lines, k);
        std::fwrite(block.data(), 1, block.size(), out);
        written += static_cast<long long>(block.size());
    }
    std::fclose(out);
}

// A game list and a cheat file for comparing two builds byte for byte.
void writehostile(const std::string& folder, generator& rng, long long size) {
    static const char* const pieces[] = {"; [ ", " ]", ":", "::", "\n", "\r\n", "\r", " ", "\"", "##xEnd\n",
                                         "00000000", "FFFF", "0000FFFF", "60000000", "\xE9", "\0", "#", "\t"};
    std::string games = rng.chance(5) ? "" : "Name:     Description:\n";
    int count = rng.below(300);
    for (int i = 0; i < count; ++i) {
        std::string name = rng.chance(3) ? "g" + hex(rng, 8) : "g" + std::to_string(rng.below(200));
        games += name + std::string(1 + rng.below(3), ' ') + "\"Game " + std::to_string(rng.below(200)) +
                 (rng.chance(5) ? "\xE9" : "") + (rng.chance(3) ? "" : "\"") + (rng.chance(10) ? "\r\n" : "\n");
    }
    std::string cheats;
    bool manyhigh = rng.chance(5);
    while (static_cast<long long>(cheats.size()) < size) {
        int what = rng.below(100);
        std::string name = "g" + std::to_string(rng.below(220));
        if (manyhigh) {
            cheats += "\xE9 " + std::to_string(cheats.size()) + "\n";
        } else if (what < 40) {
            cheats += cheatline(rng, name, rng.chance(50) ? kind::outputheavy : kind::realistic) +
                      (rng.chance(5) ? "\r\n" : "\n");
        } else if (what < 50) {
            cheats += "; [ Game " + std::to_string(rng.below(200)) + " ]\n";
        } else if (what < 55) {
            // Long lines, many right at the 511-character edge, starting
            // so that the reports print them.
            std::size_t length = rng.chance(60) ? 505 + rng.below(14) : 400 + rng.below(800);
            std::string start = rng.chance(50) ? ":" + name + ":" : "\xE9";
            cheats += start + std::string(length - start.size(), static_cast<char>('a' + rng.below(26))) +
                      (rng.chance(50) ? "\r\n" : "\n");
        } else if (what < 90) {
            for (int i = rng.below(12); i > 0; --i) cheats += pick(rng, pieces);
        } else if (what < 99) {
            for (int i = rng.below(40); i > 0; --i) cheats += static_cast<char>(rng.below(256));
        } else if (rng.chance(20)) {
            cheats += '\x1A';
        }
    }
    for (const auto& [file, content] : {std::pair<std::string, std::string>{"listfull.txt", games}, {"cheat.dat", cheats}}) {
        std::FILE* out = std::fopen((folder + "/" + file).c_str(), "wb");
        if (out == nullptr) {
            std::perror(file.c_str());
            std::exit(1);
        }
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string name = argc > 1 ? argv[1] : "";
    if (argc < 3 ||
        (name != "realistic" && name != "adversarial" && name != "output-heavy" && name != "hostile")) {
        std::fputs("usage: makeinputs realistic|adversarial|output-heavy|hostile <folder> [megabytes] [seed]\n",
                   stderr);
        return 2;
    }
    kind k = name == "adversarial"    ? kind::adversarial
             : name == "output-heavy" ? kind::outputheavy
             : name == "hostile"      ? kind::hostile
                                      : kind::realistic;
    std::string folder = argv[2];
    auto size = static_cast<long long>((argc > 3 ? std::atof(argv[3]) : 100.0) * 1000 * 1000);
    generator rng{argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 2026};
    if (k == kind::hostile) {
        writehostile(folder, rng, size);
        return 0;
    }
    std::vector<game> games = makegames(rng);
    writegamelist(folder + "/listfull.txt", games);
    writecheatfile(folder + "/cheat.dat", k, games, rng, size);
    return 0;
}
