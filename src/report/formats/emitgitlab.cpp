#include "facts.h"
#include "fingerprint.h"
#include "formats.h"

namespace {

// A GitLab Code Quality report: one JSON array of issues, each with a
// fingerprint that stays when lines move. The closing note is about no
// line, so it is left out; an unlisted shortname's note joins its message.
class gitlabemitter final : public emitter {
public:
    explicit gitlabemitter(reportwriter& out) : out_(out) {}

    bool needslinetext() const override { return true; }
    void begin() override { out_.put("["); }
    void startfile(const emitfile& file) override {
        file_.emplace(file);
        path_ = jsonstring(file.name);
        prints_.startfile(file.name);
    }
    void finding(const struct finding& what, const place& where, std::string_view linetext) override {
        static const char* const severities[] = {"\"major\"", "\"minor\"", "\"info\""};
        std::string message = messageof(what, true);
        std::string note = noteof(what, *file_);
        if (!note.empty()) message += "; " + note;
        std::string issue = any_ ? ",\n" : "\n";
        any_ = true;
        issue += "{\"description\":" + jsonstring(message) + ",\"check_name\":" + jsonstring(infoof(what.check).name) +
                 ",\"fingerprint\":\"" + prints_.next(what, linetext) +
                 "\",\"severity\":" + severities[static_cast<int>(infoof(what.check).level)] +
                 ",\"location\":{\"path\":" + path_ + ",\"lines\":{\"begin\":" + std::to_string(where.physical) + "}}}";
        out_.put(issue);
    }
    void nocheatentries(long long) override {}
    void end() override { out_.put(any_ ? "\n]\n" : "]\n"); }

private:
    reportwriter& out_;
    std::optional<emitfile> file_;
    std::string path_;
    fingerprints prints_;
    bool any_ = false;
};

}  // namespace

std::unique_ptr<emitter> makegitlab(reportwriter& out) { return std::make_unique<gitlabemitter>(out); }
