#include "clrmamepro.h"

#include "plaintext.h"
#include "text/hexdigits.h"

#include <cstdio>
#include <string>

namespace {

constexpr std::size_t valuelimit = 1 << 20;
constexpr const char* nulbyte = "a NUL byte, which no game list holds";

enum class token { word, string, open, close, end, bad };

// The list's words, strings and parentheses, with the place of each.
class tokenizer {
public:
    explicit tokenizer(listsource& source) : source_(source) {}

    token next(std::string& text) {
        int c = skipblanks();
        startline_ = c < 0 ? line_ : lastline_;  // where the token starts, or the end
        startcolumn_ = c < 0 ? column_ : lastcolumn_;
        text.clear();
        if (c < 0) return token::end;
        if (c == '(') return token::open;
        if (c == ')') return token::close;
        if (c == '"') return quoted(text);
        while (c > 0 && !isblank(c) && c != '(' && c != ')' && c != '"') {
            if (!keep(text, static_cast<char>(c))) return token::bad;
            c = get();
        }
        if (c == 0) return fail(nulbyte);
        if (c > 0) unget();
        return token::word;
    }

    struct place {
        long long line;
        long long column;
    };

    // Where the last token starts.
    place where() const { return {startline_, startcolumn_}; }

    // The first problem found stands; it is at the last token unless placed.
    token fail(const char* reason, const char* name = "") { return fail(where(), reason, name); }
    token fail(place at, const char* reason, const char* name = "") {
        if (problem_.found) return token::bad;
        problem_.found = true;
        problem_.line = at.line;
        problem_.column = at.column;
        std::snprintf(problem_.reason, sizeof problem_.reason, reason, name);
        return token::bad;
    }

    const listproblem& problem() const { return problem_; }

private:
    static bool isblank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

    int get() {
        if (at_ == end_) {
            at_ = 0;
            end_ = source_.read(buffer_, sizeof buffer_);
            if (end_ == 0) return -1;
        }
        int c = static_cast<unsigned char>(buffer_[at_++]);
        lastline_ = line_;
        lastcolumn_ = column_;
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else {
            ++column_;
        }
        return c;
    }

    // Only ever right after get(), so the byte is still in the buffer.
    void unget() {
        --at_;
        line_ = lastline_;
        column_ = lastcolumn_;
    }

    int skipblanks() {
        int c = get();
        while (c >= 0 && isblank(c)) c = get();
        return c;
    }

    bool keep(std::string& text, char c) {
        if (text.size() == valuelimit) {
            fail("a word or string longer than 1 MB");
            return false;
        }
        text += c;
        return true;
    }

    // An escape's digit, either case; -1 for no digit, or the end.
    static int hexdigit(int c) { return c < 0 ? -1 : anycasehexvalue(static_cast<char>(c)); }

    // A \x whose backslash and x were just read: with two hex digits, as
    // writers of such escapes put them, one byte. With fewer (a Windows path
    // such as C:\xmame) it is no escape, and what was read is kept as it
    // stands. False when the list is no list.
    bool hexescape(std::string& text) {
        int first = get();
        int high = hexdigit(first);
        int second = high >= 0 ? get() : -1;
        int low = high >= 0 ? hexdigit(second) : -1;
        if (low >= 0) {
            if (high == 0 && low == 0) return fail(nulbyte), false;
            return keep(text, static_cast<char>(high * 16 + low));
        }
        if ((high >= 0 ? second : first) >= 0) unget();  // read again as text
        return keep(text, '\\') && keep(text, 'x') && (high < 0 || keep(text, static_cast<char>(first)));
    }

    token quoted(std::string& text) {
        for (int c = get();; c = get()) {
            if (c < 0) return fail("a string that is never closed");
            if (c == '"') return token::string;
            if (c == '\\') {
                c = get();
                if (c < 0) return fail("a string that is never closed");
                switch (c) {
                    case 'a': c = '\a'; break;
                    case 'b': c = '\b'; break;
                    case 'f': c = '\f'; break;
                    case 'n': c = '\n'; break;
                    case 'r': c = '\r'; break;
                    case 't': c = '\t'; break;
                    case 'v': c = '\v'; break;
                    case 'x':
                        if (!hexescape(text)) return token::bad;
                        continue;
                    default: break;  // \" \\ \' \? and any other stand for themselves
                }
            }
            if (c == 0) return fail(nulbyte);
            if (!keep(text, static_cast<char>(c))) return token::bad;
        }
    }

    listsource& source_;
    char buffer_[1 << 16];
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    long long line_ = 1;
    long long column_ = 1;
    long long lastline_ = 1;
    long long lastcolumn_ = 1;
    long long startline_ = 1;
    long long startcolumn_ = 1;
    listproblem problem_;
};

bool isvalue(token t) { return t == token::word || t == token::string; }

// Skips a nested block whose '(' was just read.
bool skipblock(tokenizer& tokens, std::string& text) {
    for (int depth = 1; depth > 0;) {
        token t = tokens.next(text);
        if (t == token::open) ++depth;
        if (t == token::close) --depth;
        if (t == token::bad) return false;
        if (t == token::end) return tokens.fail("a block that is never closed"), false;
    }
    return true;
}

// The pairs of a block whose '(' was just read, up to its ')'.
bool readblock(tokenizer& tokens, bool isgame, gamelist& list) {
    std::string key, value, name, description;
    bool hasname = false, hasdescription = false;
    for (;;) {
        token t = tokens.next(key);
        if (t == token::close) break;
        if (t == token::bad) return false;
        if (t == token::end) return tokens.fail("a block that is never closed"), false;
        if (t == token::open) {
            if (!skipblock(tokens, value)) return false;
            continue;
        }
        token v = tokens.next(value);
        if (v == token::open) {
            if (!skipblock(tokens, value)) return false;
        } else if (v == token::close) {
            break;  // a key without a value ends the block
        } else if (v == token::bad) {
            return false;
        } else if (v == token::end) {
            return tokens.fail("a block that is never closed"), false;
        } else if (isgame && key == "name" && !hasname) {
            if (value.size() > shortnamelimit) return tokens.fail("a shortname longer than 64 bytes"), false;
            name = value, hasname = true;
        } else if (isgame && key == "description" && !hasdescription) {
            description = value, hasdescription = true;
        }
    }
    if (isgame && hasname) {
        blankcontrols(name.data(), name.size());
        blankcontrols(description.data(), description.size());
        addgame(list, name, description);
    }
    return true;
}

}  // namespace

listproblem readclrmamepro(listsource& source, gamelist& list) {
    tokenizer tokens(source);
    std::string word, after;
    for (;;) {
        token t = tokens.next(word);
        if (t == token::end || t == token::bad) break;
        if (!isvalue(t)) {
            tokens.fail(t == token::open ? "a block without a name" : "a ')' that closes no block");
            break;
        }
        tokenizer::place at = tokens.where();
        if (tokens.next(after) != token::open) {
            tokens.fail(at, "'%s' is not followed by '('", word.c_str());
            break;
        }
        if (!readblock(tokens, word == "game" || word == "machine", list)) break;
    }
    return tokens.problem();
}
