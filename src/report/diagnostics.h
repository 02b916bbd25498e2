#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "emitter.h"
#include "entrywriter.h"
#include "checks/finding.h"
#include "gamelist/gamelist.h"
#include "gamelist/titleindex.h"

// Findings as compilers write them, one line each, for editors and CI to
// jump to:  FILE:LINE:COLUMN: SEVERITY: MESSAGE [CHECK]
// Names and titles from the files are quoted as they are, but for control
// characters, which are written \xNN so that every finding stays one line.
// The format `concise` of vettle check.
class diagnostics final : public emitter {
public:
    // Lines go out through `out`; `filename` is shown escaped. With
    // `titles`, an unlisted shortname is followed by a note naming the
    // listed games that carry its block's title. `results` names the
    // results report, if one is written, which lists the games without
    // cheats.
    diagnostics(reportwriter& out, std::string_view filename, const gamelist& list, const titleindex* titles,
                std::string_view results = "cheatscanresults.txt");

    // For vettle check: each file named by startfile, no report named.
    explicit diagnostics(reportwriter& out);

    void startfile(const emitfile& file) override;
    void finding(const struct finding& what, const place& where, std::string_view linetext) override;
    void write(const struct finding& what, const place& where);
    // The closing note, tied to no line.
    void nocheatentries(long long games) override;

private:
    void start(const place& where, severity level, std::string_view then = {});

    reportwriter& out_;
    // A short text copied sixteen bytes at a time: its bytes are followed by
    // sixteen more of padding, and the room it is copied into has as much.
    class padded {
    public:
        padded() = default;
        explicit padded(std::string text) : size_(text.size()), bytes_(std::move(text)) { bytes_.append(chunk, '\0'); }
        std::size_t size() const { return size_; }
        std::string_view view() const { return {bytes_.data(), size_}; }
        char* copyto(char* at) const {
            for (std::size_t i = 0; i < size_; i += chunk) std::memcpy(at + i, bytes_.data() + i, chunk);
            return at + size_;
        }
        static constexpr std::size_t chunk = 16;

    private:
        std::size_t size_ = 0;
        std::string bytes_;
    };

    padded filename_;  // escaped
    std::string results_;
    // Made once: ": error: " and the like, and " [check]\n".
    padded severities_[3];
    std::string endings_[checkcount];
    // The messages of the commonest findings, each with its ending, as made
    // last for their words: a big file says the same few again and again.
    // Their words are the check, the field and a short text, held as a key
    // of sixteen bytes.
    struct made {
        std::uint64_t key[2] = {0, 0};  // 0: never made
        std::string message;
    };
    static constexpr std::size_t keptmessages = 61;  // a prime, so that the slots spread
    made recent_[keptmessages];
    // The last message made for each check, with what it was made from: the
    // lines of one game or block often say the same.
    struct last {
        bool made = false;
        fieldid field = fieldid::none;
        std::string text, other, blocktitle;
        long long setat = 0;
        textcollector message;
    };
    last last_[checkcount];
    std::string_view linemessage(const struct finding& what);
    const gamelist* list_;
    const titleindex* titles_;
};

