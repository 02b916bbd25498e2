#include <charconv>

#include "formats.h"
#include "held.h"

namespace {

void putnumber(std::string& out, long long number) {
    char digits[24];
    auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

void putfix(std::string& out, const findingfix* fix) {
    if (fix == nullptr) {
        out += "null";
        return;
    }
    out += "{\"message\":";
    putjsonstring(out, fix->message);
    out += ",\"edits\":[";
    for (std::size_t i = 0; i < fix->edits.size(); ++i) {
        const fixedit& edit = fix->edits[i];
        out += i == 0 ? "{\"line\":" : ",{\"line\":";
        putnumber(out, edit.line);
        out += ",\"column\":";
        putnumber(out, edit.column);
        out += ",\"end_column\":";
        putnumber(out, edit.endcolumn);
        out += ",\"replacement\":";
        putjsonstring(out, edit.replacement);
        out += '}';
    }
    out += "]}";
}

// json: one array of findings; json-lines: one finding a line. The keys
// are written as text around nlohmann/json's escaping of each string, as
// a big file's hundreds of thousands of findings need.
class jsonemitter final : public emitter {
public:
    jsonemitter(reportwriter& out, bool lines) : out_(out), held_(out, putfix), lines_(lines) {}

    void begin() override {
        if (!lines_) out_.put("[");
    }
    void startfile(const emitfile& file) override {
        file_.emplace(file);
        held_.startfile(file);
        opening_ = "{\"file\":" + jsonstring(file.name) + ",";
    }
    void finding(const struct finding& what, const place& where, std::string_view) override {
        findingspan span = spanof(what, where);
        std::string& out = start();
        out += "\"line\":";
        putnumber(out, span.line);
        out += ",\"column\":";
        putnumber(out, span.column);
        out += ",\"end_line\":";
        putnumber(out, span.line);
        out += ",\"end_column\":";
        putnumber(out, span.endcolumn);
        out += severities_[static_cast<int>(infoof(what.check).level)];
        out += checks_[static_cast<int>(what.check)];
        out += messages_.get(what, [](const std::string& message) { return jsonstring(message); });
        std::string note = noteof(what, *file_);
        if (!note.empty()) {
            out += ",\"note\":";
            putjsonstring(out, note);
        }
        out += ",\"fix\":";
        if (mayhavefix(what.check)) {
            held_.hole(fixkeyof(what, where));
        } else {
            out += "null";
        }
        finish();
        held_.maypass(where.physical);
    }
    void nocheatentries(long long games) override {
        std::string& out = start();
        out += "\"line\":null,\"column\":null,\"end_line\":null,\"end_column\":null";
        out += severities_[static_cast<int>(severity::note)];
        out += checks_[static_cast<int>(checkid::nocheatentries)];
        putjsonstring(out, nocheatentriesmessage(games));
        out += ",\"fix\":null";
        finish();
    }
    void endfile(const patch* fixes) override { held_.release(fixes); }
    void end() override {
        if (!lines_) out_.put(any_ ? "\n]\n" : "]\n");
    }

private:
    std::string& start() {
        std::string& out = held_.text;
        if (!lines_) out += any_ ? ",\n" : "\n";
        any_ = true;
        out += opening_;
        return out;
    }
    void finish() { held_.text += lines_ ? "}\n" : "}"; }

    // Made once: ',"severity":"error"' and ',"check":"field-format","message":'.
    static std::vector<std::string> made(bool checks) {
        std::vector<std::string> texts;
        if (checks) {
            for (const checkinfo& check : checktable) texts.push_back(",\"check\":" + jsonstring(check.name) + ",\"message\":");
        } else {
            for (severity level : {severity::error, severity::warning, severity::note}) {
                texts.push_back(",\"severity\":" + jsonstring(severityname(level)));
            }
        }
        return texts;
    }

    reportwriter& out_;
    heldtext held_;
    bool lines_;
    bool any_ = false;
    std::optional<emitfile> file_;
    std::string opening_;  // '{"file":NAME,'
    const std::vector<std::string> severities_ = made(false), checks_ = made(true);
    keptmessages messages_;
};

}  // namespace

std::unique_ptr<emitter> makejson(reportwriter& out) { return std::make_unique<jsonemitter>(out, false); }
std::unique_ptr<emitter> makejsonlines(reportwriter& out) { return std::make_unique<jsonemitter>(out, true); }
