#include <filesystem>
#include <system_error>

#include <nlohmann/json.hpp>

#include "facts.h"
#include "fingerprint.h"
#include "formats.h"
#include "version.h"

namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

// Bytes a URI takes as they are; every other is %XX. A ':' only in an
// absolute path (a drive), where it cannot be read as a scheme.
std::string percentcoded(std::string_view path, bool absolute) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : path) {
        auto byte = static_cast<unsigned char>(c);
        bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || (absolute && c == ':');
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 0xF];
        }
    }
    return out;
}

// "file:///home/me/" or "file:///C:/cheats/": a folder as a URI.
std::string fileuri(const fs::path& absolute) {
    std::string path = absolute.generic_u8string();
    if (path.empty() || path[0] != '/') path = "/" + path;
    return "file://" + percentcoded(path, true);
}

fs::path currentfolder() {
    std::error_code error;
    fs::path here = fs::current_path(error);
    return error ? fs::path() : here;
}

// A file under the current folder by its path from there, against
// %SRCROOT%; any other by its absolute file: URI.
json artifactof(std::string_view name) {
    fs::path here = currentfolder();
    fs::path given = fs::u8path(name);
    fs::path whole = (given.is_absolute() || here.empty() ? given : here / given).lexically_normal();
    fs::path relative = here.empty() ? given.lexically_normal() : whole.lexically_relative(here);
    std::string text = relative.generic_u8string();
    bool outside = text.empty() || text == "." || text.compare(0, 2, "..") == 0 || relative.is_absolute();
    if (outside && whole.is_absolute()) return {{"uri", fileuri(whole)}};
    return {{"uri", percentcoded(text, false)}, {"uriBaseId", "%SRCROOT%"}};
}

const char* levelof(severity level) {
    switch (level) {
        case severity::error: return "error";
        case severity::warning: return "warning";
        case severity::note: break;
    }
    return "note";
}

json rules() {
    json all = json::array();
    for (const checkinfo& check : checktable) {
        all.push_back({{"id", check.name},
                       {"shortDescription", {{"text", check.summary}}},
                       {"fullDescription", {{"text", check.explanation}}},
                       {"help", {{"text", check.byhand}}},
                       {"defaultConfiguration", {{"level", levelof(check.level)}}}});
    }
    return all;
}

std::string dumped(const json& value) { return value.dump(-1, ' ', false, json::error_handler_t::replace); }

// One SARIF 2.1.0 log for the whole run. A result waits for its file's
// fixes; the closing note, about no line, is left out.
class sarifemitter final : public emitter {
public:
    explicit sarifemitter(reportwriter& out) : out_(out) {}

    bool needslinetext() const override { return true; }
    void begin() override {
        json driver = {{"name", "vettle"},
                       {"version", VETTLE_VERSION},
                       {"informationUri", VETTLE_HOMEPAGE},
                       {"rules", rules()}};
        fs::path here = currentfolder();
        std::string root = here.empty() ? std::string() : fileuri(here);
        if (!root.empty() && root.back() != '/') root += '/';
        out_.put("{\"$schema\":\"https://json.schemastore.org/sarif-2.1.0.json\",\"version\":\"2.1.0\",\"runs\":[{");
        out_.put("\"tool\":" + dumped({{"driver", driver}}) + ",");
        if (!root.empty()) out_.put("\"originalUriBaseIds\":" + dumped({{"%SRCROOT%", {{"uri", root}}}}) + ",");
        out_.put("\"columnKind\":\"unicodeCodePoints\",\"results\":[");
    }
    void startfile(const emitfile& file) override {
        file_.emplace(file);
        artifact_ = artifactof(file.name);
        prints_.startfile(file.name);
    }
    void finding(const struct finding& what, const place& where, std::string_view linetext) override {
        findingspan span = spanof(what, where);
        std::string message = messageof(what, true);
        std::string note = noteof(what, *file_);
        if (!note.empty()) message += "; " + note;
        json region = {{"startLine", span.line},
                       {"startColumn", span.charcolumn},
                       {"endLine", span.line},
                       {"endColumn", span.charendcolumn}};
        held one;
        json result = {{"ruleId", infoof(what.check).name},
                       {"ruleIndex", static_cast<int>(what.check)},
                       {"level", levelof(infoof(what.check).level)},
                       {"message", {{"text", message}}},
                       {"locations", json::array({{{"physicalLocation", {{"artifactLocation", artifact_}, {"region", region}}}}})},
                       {"partialFingerprints", {{"vettle/v1", prints_.next(what, linetext)}}}};
        if (where.noted) {
            notedline elsewhere = notedlineof(what);
            json related = {{"id", 0},
                            {"physicalLocation",
                             {{"artifactLocation", artifact_}, {"region", {{"startLine", elsewhere.line}}}}},
                            {"message", {{"text", elsewhere.message}}}};
            result["relatedLocations"] = json::array({related});
        }
        // Held as text, its closing brace left for the fix: a tree of
        // JSON a finding would cost several times as much.
        one.result = dumped(result);
        one.result.pop_back();
        one.fixable = mayhavefix(what.check);
        if (one.fixable) one.key = fixkeyof(what, where);
        held_.push_back(std::move(one));
    }
    void nocheatentries(long long) override {}
    void endfile(const patch* fixes) override {
        fixlookup lookup(fixes);
        findingfix found;
        for (held& one : held_) {
            if (one.fixable && lookup.find(one.key, found)) {
                json replacements = json::array();
                for (const fixedit& edit : found.edits) {
                    replacements.push_back(
                        {{"deletedRegion", {{"startLine", edit.line}, {"startColumn", edit.column}, {"endColumn", edit.endcolumn}}},
                         {"insertedContent", {{"text", edit.replacement}}}});
                }
                json fixes = json::array({{{"description", {{"text", found.message}}},
                                           {"artifactChanges", json::array({{{"artifactLocation", artifact_},
                                                                             {"replacements", replacements}}})}}});
                one.result += ",\"fixes\":" + dumped(fixes);
            }
            out_.put(any_ ? "," : "");
            any_ = true;
            out_.put(one.result);
            out_.put('}');
        }
        held_.clear();
    }
    void end() override { out_.put("]}]}\n"); }

private:
    struct held {
        std::string result;  // the result's JSON but for its closing brace
        bool fixable = false;
        fixkey key{};
    };
    reportwriter& out_;
    std::optional<emitfile> file_;
    json artifact_;
    fingerprints prints_;
    std::vector<held> held_;
    bool any_ = false;
};

}  // namespace

std::unique_ptr<emitter> makesarif(reportwriter& out) { return std::make_unique<sarifemitter>(out); }
