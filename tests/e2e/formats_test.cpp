// vettle check --output-format: every format on one file that holds every
// check's findings, fixes, a long line, a NUL, CR LF ends and bytes above
// 0x7F (UTF-8 and not), read back as its readers would read it.

#include <gtest/gtest.h>

#include <iostream>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "checks/checktable.h"
#include "e2erun.h"
#include "main/host.h"
#include "text/utf8.h"

namespace {

using namespace e2e;
using json = nlohmann::json;

// every-finding's file, with a block whose title a fix corrects, an
// unused suppression (which makes the formats wait for the file's end) and
// a NUL; `crlf`: every line ended by CR LF.
std::string cheatfile(const fs::path& folder, bool suppression, bool crlf) {
    std::string text = readfile(folder / "cheat.dat");
    writefile(folder / "listfull.txt", readfile(folder / "listfull.txt") + "bosco     \"Bosconian (new version)\"\n");
    std::string more = "; [ Bosconian ]\n:bosco:00000000:4E14:00000003:FFFFFFFF:title fixed\n"
                       ":bosco:00000000:1234:0000000b:FFFFFFFF:a NUL after it\n";
    more[more.find("NUL") + 3] = '\0';
    if (suppression) more += "; vettle: ignore[suspect-mask]\n:bosco:00000000:1234:00000001:FFFFFFFF:nothing\n";
    text.insert(text.find("##End"), more);
    if (!crlf) return text;
    std::string ended;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ended += '\r';
        ended += text[i];
    }
    return ended;
}

std::vector<std::string> linesof(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A finding as each format can tell it: "LINE:COLUMN:CHECK", the closing
// note "-:-:no-cheat-entries".
using told = std::vector<std::string>;

std::string key(const json& line, const json& column, const std::string& check) {
    auto text = [](const json& number) { return number.is_null() ? std::string("-") : std::to_string(number.get<long long>()); };
    return text(line) + ":" + text(column) + ":" + check;
}

// Concise, the reference: its lines but the notes of an unlisted shortname.
told fromconcise(const std::string& output, bool withclosing) {
    const std::regex finding("[^:]+:([0-9]+):([0-9]+): (error|warning|note): .* \\[([a-z-]+)\\]");
    told all;
    std::smatch m;
    for (const std::string& line : linesof(output)) {
        if (std::regex_match(line, m, finding) && !(m[3] == "note" && m[4] == "unlisted-shortname")) {
            all.push_back(m[1].str() + ":" + m[2].str() + ":" + m[4].str());
        }
        if (withclosing && line.find(": note: ") != std::string::npos && line.find("[no-cheat-entries]") != std::string::npos) {
            all.push_back("-:-:no-cheat-entries");
        }
    }
    return all;
}

told fromjsonobjects(const std::vector<json>& objects) {
    told all;
    for (const json& f : objects) {
        for (const char* field : {"file", "line", "column", "end_line", "end_column", "severity", "check", "message", "fix"}) {
            EXPECT_TRUE(f.contains(field)) << field << " in " << f.dump();
        }
        all.push_back(key(f["line"], f["column"], f["check"]));
    }
    return all;
}

std::vector<json> jsonlines(const std::string& output) {
    std::vector<json> objects;
    for (const std::string& line : linesof(output)) objects.push_back(json::parse(line));
    return objects;
}

json sarifresults(const std::string& output) { return json::parse(output)["runs"][0]["results"]; }

told fromsarif(const std::string& output) {
    told all;
    for (const json& r : sarifresults(output)) {
        const json& region = r["locations"][0]["physicalLocation"]["region"];
        all.push_back(key(region["startLine"], nullptr, r["ruleId"]));
    }
    return all;
}

told fromgitlab(const std::string& output) {
    told all;
    for (const json& issue : json::parse(output)) all.push_back(key(issue["location"]["lines"]["begin"], nullptr, issue["check_name"]));
    return all;
}

told fromgithub(const std::string& output) {
    const std::regex command("::(error|warning|notice) file=[^,]+,line=([0-9]+),col=([0-9]+),endColumn=[0-9]+,title=vettle "
                             "\\(([a-z-]+)\\)::.*");
    told all;
    std::smatch m;
    for (const std::string& line : linesof(output)) {
        if (line.rfind("::", 0) != 0) continue;
        EXPECT_TRUE(std::regex_match(line, m, command)) << line;
        if (m[1] != "notice" || m[4] != "unlisted-shortname") all.push_back(m[2].str() + ":" + m[3].str() + ":" + m[4].str());
    }
    return all;
}

// Without the columns, for formats that give none or count characters.
told linesonly(told all, bool withclosing) {
    told kept;
    for (std::string& one : all) {
        if (!withclosing && one.rfind("-:", 0) == 0) continue;
        std::size_t first = one.find(':'), second = one.find(':', first + 1);
        kept.push_back(one.substr(0, first) + one.substr(second));
    }
    return kept;
}

struct run {
    int code;
    std::string output;
};

run check(const fs::path& folder, const std::string& format, std::vector<std::string> more = {}) {
    std::vector<std::string> arguments = {"check", "--game-list", "listfull.txt", "--select", "ALL", "--output-format", format};
    arguments.insert(arguments.end(), more.begin(), more.end());
    int code = runvettle(folder, arguments);
    return {code, readfile(folder / "console.out")};
}

// Each format tells the same findings as concise, each in its own form,
// with the same exit code, as valid UTF-8 (and JSON where it is JSON).
TEST(Formats, EveryFormatTellsWhatConciseTells) {
    for (bool suppression : {true, false}) {
        SCOPED_TRACE(suppression ? "LF, a suppression: findings wait for the file's end" : "CR LF, none: findings go on");
        fs::path folder = prepare("every-finding", "formats");
        writefile(folder / "cheat.dat", cheatfile(folder, suppression, !suppression));
        run concise = check(folder, "concise");
        ASSERT_EQ(concise.code, 1);
        told reference = fromconcise(concise.output, true);
        std::set<std::string> checks;
        for (const std::string& one : reference) checks.insert(one.substr(one.rfind(':') + 1));
        // Every check of the classic reports, and the unused suppression.
        std::size_t classic = 0;
        for (const checkinfo& row : checktable) classic += row.where != section::none ? 1 : 0;
        EXPECT_EQ(checks.size(), classic + (suppression ? 1 : 0)) << "every check's findings";

        const struct {
            const char* format;
            told (*read)(const std::string& output);
            bool summary;
        } formats[] = {
            {"full", [](const std::string& out) { return fromconcise(out, true); }, true},
            {"json", [](const std::string& out) { return fromjsonobjects(json::parse(out).get<std::vector<json>>()); }, false},
            {"json-lines", [](const std::string& out) { return fromjsonobjects(jsonlines(out)); }, false},
            {"sarif", fromsarif, false},
            {"github", fromgithub, true},
            {"gitlab", fromgitlab, false},
        };
        for (const auto& format : formats) {
            SCOPED_TRACE(format.format);
            run got = check(folder, format.format);
            EXPECT_EQ(got.code, 1);
            told read = format.read(got.output);
            std::string name = format.format;
            bool columns = name != "sarif" && name != "gitlab";
            bool closing = name != "sarif" && name != "gitlab" && name != "github";
            if (columns) {
                EXPECT_EQ(closing ? read : linesonly(read, false), closing ? reference : linesonly(reference, false));
            } else {
                EXPECT_EQ(linesonly(read, false), linesonly(reference, false));
            }
            std::string last = linesof(got.output).back();
            EXPECT_EQ(last == linesof(concise.output).back(), format.summary) << last;
            if (name != "full") {
                EXPECT_EQ(validutf8(got.output), got.output);
            }
        }

        // full: concise's lines byte for byte, each finding's line under
        // it, cut and escaped, and the fixes.
        std::string full = check(folder, "full").output;
        std::string kept;
        for (const std::string& line : linesof(full)) {
            if (line.rfind(" ", 0) != 0) kept += line + "\n";
        }
        EXPECT_EQ(hosttext(kept), concise.output);
        EXPECT_NE(full.find(hosttext("      = help: write the field in upper case: '0000000A'\n")), std::string::npos)
            << full;
        EXPECT_NE(full.find(hosttext("      = help: write the emulator's title 'Bosconian (new version)'\n")),
                  std::string::npos);
        EXPECT_NE(full.find("\\xC3\\xA9"), std::string::npos) << "a byte above 0x7F, escaped";
        EXPECT_NE(full.find("   10 | \xE2\x80\xA6xxx"), std::string::npos) << "a long line, cut";
    }
}

// A fix in JSON: its edits, one a line it changes; the same whether the
// findings went on at once or waited for the file's end.
TEST(Formats, FixesAndTheirEdits) {
    fs::path folder = prepare("every-finding", "formats-fixes");
    writefile(folder / "cheat.dat", cheatfile(folder, false, false));
    std::string now = check(folder, "json-lines").output;
    writefile(folder / "empty-baseline.txt", "");
    EXPECT_EQ(check(folder, "json-lines", {"--baseline", "empty-baseline.txt"}).output, now) << "waited";
    std::map<std::string, json> fixes;
    for (const json& f : jsonlines(now)) {
        if (!f["fix"].is_null()) fixes[key(f["line"], f["column"], f["check"])] = f["fix"];
    }
    EXPECT_EQ(fixes.size(), 3u) << "none on a line with a NUL, as --diff";
    EXPECT_EQ(fixes["3:2:unlisted-shortname"]["edits"],
              json::parse(R"([{"line":3,"column":2,"end_column":10,"replacement":"baraduke"},
                              {"line":4,"column":2,"end_column":10,"replacement":"baraduke"}])"));
    EXPECT_EQ(fixes["12:9:field-format"]["edits"],
              json::parse(R"([{"line":12,"column":9,"end_column":17,"replacement":"0000000A"}])"));
    EXPECT_EQ(fixes["22:1:title-mismatch"]["edits"],
              json::parse(R"x([{"line":22,"column":5,"end_column":14,"replacement":"Bosconian (new version)"}])x"));
    // A finding a baseline hides has no fix, and is not shown.
    EXPECT_EQ(check(folder, "json", {"--write-baseline", "all.txt"}).code, 1);
    json left = json::parse(check(folder, "json", {"--baseline", "all.txt"}).output);
    ASSERT_EQ(left.size(), 1u) << left.dump();
    EXPECT_EQ(left[0]["check"], "no-cheat-entries");
    EXPECT_TRUE(left[0]["line"].is_null() && left[0]["end_column"].is_null() && left[0]["fix"].is_null());
}

// Fingerprints follow their findings when a line is added above them, and
// no two findings share one.
TEST(Formats, FingerprintsStayWhenLinesMove) {
    fs::path folder = prepare("every-finding", "formats-fingerprints");
    std::string text = cheatfile(folder, true, false);
    for (const char* format : {"sarif", "gitlab"}) {
        SCOPED_TRACE(format);
        auto prints = [&](const std::string& cheats) {
            writefile(folder / "cheat.dat", cheats);
            std::map<std::string, std::string> byprint;
            std::string output = check(folder, format).output;
            json all = std::string(format) == "sarif" ? sarifresults(output) : json::parse(output);
            for (const json& f : all) {
                bool sarif = f.contains("ruleId");
                std::string print = sarif ? f["partialFingerprints"]["vettle/v1"] : f["fingerprint"];
                long long line = sarif ? f["locations"][0]["physicalLocation"]["region"]["startLine"].get<long long>()
                                       : f["location"]["lines"]["begin"].get<long long>();
                EXPECT_EQ(byprint.count(print), 0u) << print;
                byprint[print] = std::to_string(line) + (sarif ? f["ruleId"] : f["check_name"]).get<std::string>();
            }
            return byprint;
        };
        std::map<std::string, std::string> before = prints(text), after = prints("; a comment on top\n" + text);
        ASSERT_EQ(before.size(), after.size());
        for (const auto& [print, where] : before) {
            ASSERT_EQ(after.count(print), 1u) << where;
            std::size_t digits = where.find_first_not_of("0123456789");
            EXPECT_EQ(after[print], std::to_string(std::stoll(where.substr(0, digits)) + 1) + where.substr(digits));
        }
    }
}

// The SARIF log against the OASIS schema, with python3-jsonschema; the
// artifact is named from the current folder, or by its file: URI.
TEST(Formats, SarifValidatesAndCountsCharacters) {
    fs::path folder = prepare("every-finding", "formats-sarif");
    writefile(folder / "cheat.dat", cheatfile(folder, true, true));
    std::string log = check(folder, "sarif").output;
    json parsed = json::parse(log);
    EXPECT_EQ(parsed["runs"][0]["columnKind"], "unicodeCodePoints");
    EXPECT_EQ(parsed["runs"][0]["tool"]["driver"]["rules"].size(), static_cast<std::size_t>(checkcount));
    for (const json& r : parsed["runs"][0]["results"]) {
        const json& location = r["locations"][0]["physicalLocation"];
        EXPECT_EQ(location["artifactLocation"], json::parse(R"({"uri":"cheat.dat","uriBaseId":"%SRCROOT%"})"));
    }
    writefile(folder / "log.sarif", log);
    // The OASIS schema comes with the project's shared material beside the
    // checkout, as CI lays it out.
    if (!fs::exists(SARIF_SCHEMA)) {
        std::cout << "the SARIF schema is not at " << SARIF_SCHEMA << ": the log is not validated\n";
    } else if (!E2E_CMD) {
        // Debian's python3, which its python3-jsonschema serves, before any other.
        std::string python = fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
        std::string command = python + " '" + std::string(SARIF_CHECK) + "' '" + std::string(SARIF_SCHEMA) + "' '" +
                              (folder / "log.sarif").string() + "'";
        EXPECT_EQ(runcommand(command.c_str()).exitcode, 0) << command;
    }
    // A name with a blank and one outside the current folder.
    fs::create_directories(folder / "sub dir");
    fs::copy_file(folder / "cheat.dat", folder / "sub dir" / "c#1.dat");
    fs::create_directories(folder / "inner");
    fs::copy_file(folder / "listfull.txt", folder / "inner" / "listfull.txt");
    EXPECT_EQ(runvettle(folder / "inner", std::vector<std::string>{"check", "--game-list", "listfull.txt", "--output-format",
                                                                   "sarif", "../sub dir/c#1.dat"}),
              1);
    json outside = json::parse(readfile(folder / "inner" / "console.out"))["runs"][0]["results"][0];
    std::string uri = outside["locations"][0]["physicalLocation"]["artifactLocation"]["uri"];
    EXPECT_EQ(uri.rfind("file:///", 0), 0u) << uri;
    EXPECT_EQ(uri.substr(uri.size() - 20), "/sub%20dir/c%231.dat") << uri;
}

// A game's lines FinalBurn Neo never reads: the first finding of a game
// after its reading ended makes a note at the line that ended it, in each
// format that has a place for one; the message names that line anyway.
TEST(Formats, ANoteAtTheLineThatEndedTheReading) {
    fs::path folder = prepare("no-findings", "formats-noted");
    writefile(folder / "listfull.txt", "Name:     Description:\npacman    \"Pac-Man\"\n");
    writefile(folder / "cheat.dat", ":pacman:00000000:4E14:00000003:FFFFFFFF:a\n\n:pacman:00000000:4E15:00000003:FFFFFFFF:b\n"
                                    ":pacman:00000000:4E16:00000003:FFFFFFFF:c\n");
    auto run = [&](const std::string& format) {
        EXPECT_EQ(runvettle(folder, std::vector<std::string>{"check", "--game-list", "listfull.txt", "--dialect", "fbneo",
                                                             "--output-format", format, "cheat.dat"}),
                  1);
        return readfile(folder / "console.out");
    };
    const std::string note = "cheat.dat:2:1: note: FinalBurn Neo's reading of 'pacman' ends here [unloaded-cheat]";
    std::vector<std::string> concise = linesof(run("concise"));
    ASSERT_GE(concise.size(), 3u);
    EXPECT_EQ(concise[0].rfind("cheat.dat:3:2: error: ", 0), 0u);
    EXPECT_EQ(concise[1], note);
    EXPECT_EQ(concise[2].rfind("cheat.dat:4:2: error: ", 0), 0u) << "one note an ending";
    EXPECT_NE(run("full").find(hosttext(note + "\n")), std::string::npos);
    EXPECT_NE(run("github").find("::notice file=cheat.dat,line=2,col=1,"), std::string::npos);
    json results = sarifresults(run("sarif"));
    ASSERT_EQ(results.size(), 2u);
    const json& related = results[0]["relatedLocations"][0];
    EXPECT_EQ(related["physicalLocation"]["region"]["startLine"], 2);
    EXPECT_EQ(related["message"]["text"], "FinalBurn Neo's reading of 'pacman' ends here");
    EXPECT_FALSE(results[1].contains("relatedLocations"));
    // The first finding hidden, the note goes with the next one shown.
    writefile(folder / "cheat.dat", ":pacman:00000000:4E14:00000003:FFFFFFFF:a\n\n; vettle: ignore[unloaded-cheat]\n"
                                    ":pacman:00000000:4E15:00000003:FFFFFFFF:b\n:pacman:00000000:4E16:00000003:FFFFFFFF:c\n");
    concise = linesof(run("concise"));
    ASSERT_GE(concise.size(), 2u);
    EXPECT_EQ(concise[0].rfind("cheat.dat:5:2: error: ", 0), 0u);
    EXPECT_EQ(concise[1], note);
}

}  // namespace
