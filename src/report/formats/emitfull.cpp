#include "cheatfile/cheatfields.h"
#include "formats.h"
#include "held.h"
#include "text/escaped.h"
#include "text/hexdigits.h"

namespace {

constexpr std::size_t window = 120;  // characters of a long line shown
constexpr std::size_t before = 40;   // of them before the column, where the line allows

std::size_t widthof(char c) {
    auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte >= 0x7F ? 4 : 1;
}

void putshown(std::string& out, std::string_view text) {
    for (char c : text) {
        if (widthof(c) == 1) {
            out += c;
        } else {
            auto byte = static_cast<unsigned char>(c);
            out += "\\x";
            out += hexdigitchars[byte >> 4];
            out += hexdigitchars[byte & 0xF];
        }
    }
}

std::size_t widthof(std::string_view text) {
    std::size_t width = 0;
    for (char c : text) width += widthof(c);
    return width;
}

// Each finding as concise writes it, then its line as a compiler shows
// it: control characters and bytes above 0x7F as \xNN, a long line cut
// to a window around the column with '…', a caret under the column and
// tildes under the rest of what it is about; then the fix, if any.
void putfix(std::string& out, const findingfix* fix) {
    if (fix != nullptr) out += "      = help: " + escaped(fix->message) + "\n";
}

class fullemitter final : public emitter {
public:
    explicit fullemitter(reportwriter& out) : held_(out, putfix) {}

    void startfile(const emitfile& file) override {
        file_.emplace(file);
        held_.startfile(file);
        name_ = escaped(file.name);
    }
    void finding(const struct finding& what, const place& where, std::string_view) override {
        std::string& out = held_.text;
        std::string ending = " [" + std::string(infoof(what.check).name) + "]\n";
        startline(where, infoof(what.check).level);
        out += messages_.get(what, [](const std::string& message) { return message; });
        out += ending;
        if (what.at != nullptr) source(what, where);
        if (mayhavefix(what.check)) held_.hole(fixkeyof(what, where));
        std::string note = noteof(what, *file_);
        if (!note.empty()) {
            startline(where, severity::note);
            out += note;
            out += ending;
        }
        if (where.noted) {
            notedline elsewhere = notedlineof(what);
            std::string number = std::to_string(elsewhere.line);
            startline({number, 1, elsewhere.line}, severity::note);
            out += elsewhere.message;
            out += ending;
        }
        held_.maypass(where.physical);
    }
    void nocheatentries(long long games) override {
        startline({}, severity::note);
        held_.text += nocheatentriesmessage(games) + " [" + std::string(infoof(checkid::nocheatentries).name) + "]\n";
    }
    void endfile(const patch* fixes) override {
        held_.release(fixes);
    }

private:
    void startline(const place& where, severity level) {
        std::string& out = held_.text;
        out += name_;
        if (!where.line.empty()) {
            out += ':';
            out += where.line;
            out += ':';
            out += std::to_string(where.column);
        }
        out += ": ";
        out += severityname(level);
        out += ": ";
    }

    void source(const struct finding& what, const place& where) {
        std::string_view piece = withoutlineend(what.at->text);
        std::size_t at = std::min(what.offset, piece.size());
        findingspan span = spanof(what, where);
        std::size_t reach = static_cast<std::size_t>(span.endcolumn - span.column);
        // The window: all of a short line; else from a little before the
        // column on, as far as fits.
        std::size_t first = 0, last = piece.size();
        if (widthof(piece) > window) {
            first = at;
            for (std::size_t shown = 0; first > 0 && shown + widthof(piece[first - 1]) <= before; --first) {
                shown += widthof(piece[first - 1]);
            }
            last = first;
            for (std::size_t shown = 0; last < piece.size() && shown + widthof(piece[last]) <= window; ++last) {
                shown += widthof(piece[last]);
            }
        }
        bool cutbefore = first > 0 || what.at->column > 1;
        bool cutafter = last < piece.size() || !endsphysical(*what.at);
        std::string number = std::to_string(where.physical);
        std::string gutter = std::string(number.size() < 5 ? 5 - number.size() : 0, ' ');
        std::string& out = held_.text;
        out += gutter + number + " | ";
        if (cutbefore) out += "\xE2\x80\xA6";
        putshown(out, piece.substr(first, last - first));
        if (cutafter) out += "\xE2\x80\xA6";
        out += '\n';
        out += std::string(gutter.size() + number.size(), ' ') + " | ";
        out.append(widthof(piece.substr(first, at - first)) + (cutbefore ? 1 : 0), ' ');
        std::size_t under = at < last ? widthof(piece.substr(at, std::min(reach, last - at))) : 0;
        out += '^';
        if (under > 1) out.append(under - 1, '~');
        out += '\n';
    }

    heldtext held_;
    std::optional<emitfile> file_;
    std::string name_;  // escaped
    keptmessages messages_;
};

}  // namespace

std::unique_ptr<emitter> makefull(reportwriter& out) { return std::make_unique<fullemitter>(out); }
