#include "ruletext.h"

#include <algorithm>

namespace {

constexpr std::size_t width = 76;

// `text` wrapped at blanks to lines of `width`, each after `indent`.
std::string wrapped(std::string_view text, const std::string& indent) {
    std::string out;
    while (!text.empty()) {
        std::size_t room = width - indent.size();
        std::size_t cut = text.size();
        if (cut > room) {
            cut = text.rfind(' ', room);
            if (cut == std::string_view::npos || cut == 0) cut = std::min(text.find(' '), text.size());
        }
        out += indent;
        out += text.substr(0, cut);
        out += '\n';
        text.remove_prefix(cut);
        while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
    }
    return out;
}

// Lines of a file, each shown indented as it stands.
std::string quotedlines(std::string_view lines) {
    std::string out;
    while (!lines.empty()) {
        std::size_t end = std::min(lines.find('\n'), lines.size());
        out += "    ";
        out += lines.substr(0, end);
        out += '\n';
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    return out;
}

}  // namespace

std::string ruletext(const checkinfo& check) {
    std::string text(check.name);
    text += "\n\n";
    text += "  severity:    " + std::string(severityname(check.level)) + "\n";
    text += "  default:     ";
    text += check.usual ? "on in vettle check\n" : "off in vettle check (--extend-select turns it on)\n";
    text += "  fixable:     ";
    text += check.fixed.empty() ? "no\n" : "yes, with --fix (and --diff)\n";
    text += "\nWhat it finds\n" + wrapped(check.summary, "  ");
    text += "\nWhy it matters\n" + wrapped(check.explanation, "  ");
    if (!check.example.empty()) text += "\nA line it flags\n" + quotedlines(check.example);
    if (!check.fixed.empty()) text += "\nThe same, as --fix leaves it\n" + quotedlines(check.fixed);
    text += "\nHow to fix it\n" + wrapped(check.byhand, "  ");
    return text;
}

std::string allrulestext() {
    std::size_t column = checknamewidth() + 2;
    std::string text;
    for (const checkinfo& check : checktable) {
        std::string name(check.name), level(severityname(check.level));
        text += name + std::string(column - name.size(), ' ') + level + std::string(9 - level.size(), ' ') +
                (check.usual ? "   " : "off") + "  " + std::string(check.summary) + "\n";
    }
    return text;
}
