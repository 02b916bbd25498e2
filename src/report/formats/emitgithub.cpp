#include "formats.h"
#include "facts.h"
#include "text/utf8.h"

namespace {

// As GitHub reads a workflow command: '%', CR and LF coded in the message,
// and ':' and ',' too in a property's value.
std::string coded(std::string_view text, bool property) {
    std::string out;
    for (char c : validutf8(text)) {
        switch (c) {
            case '%': out += "%25"; break;
            case '\r': out += "%0D"; break;
            case '\n': out += "%0A"; break;
            case ':': out += property ? "%3A" : ":"; break;
            case ',': out += property ? "%2C" : ","; break;
            default: out += c;
        }
    }
    return out;
}

// GitHub Actions workflow commands: each finding an annotation on its
// line, `::error file=F,line=L,col=C,endColumn=E,title=vettle (CHECK)::MESSAGE`.
// The closing note is about no line, so it is left out.
class githubemitter final : public emitter {
public:
    explicit githubemitter(reportwriter& out) : out_(out) {}

    void startfile(const emitfile& file) override {
        file_.emplace(file);
        name_ = coded(file.name, true);
    }
    void finding(const struct finding& what, const place& where, std::string_view) override {
        findingspan span = spanof(what, where);
        command(infoof(what.check).level, span, what.check, messageof(what, true));
        std::string note = noteof(what, *file_);
        if (!note.empty()) command(severity::note, span, what.check, note);
        if (where.noted) {
            notedline elsewhere = notedlineof(what);
            command(severity::note, {elsewhere.line, 1, 1, 1, 1}, what.check, elsewhere.message);
        }
    }
    void nocheatentries(long long) override {}

private:
    void command(severity level, const findingspan& span, checkid check, const std::string& message) {
        static const char* const kinds[] = {"::error", "::warning", "::notice"};
        std::string line = kinds[static_cast<int>(level)];
        line += " file=" + name_ + ",line=" + std::to_string(span.line) + ",col=" + std::to_string(span.column) +
                ",endColumn=" + std::to_string(span.endcolumn) + ",title=" +
                coded("vettle (" + std::string(infoof(check).name) + ")", true) + "::" + coded(message, false) + "\n";
        out_.put(line);
    }

    reportwriter& out_;
    std::optional<emitfile> file_;
    std::string name_;
};

}  // namespace

std::unique_ptr<emitter> makegithub(reportwriter& out) { return std::make_unique<githubemitter>(out); }
