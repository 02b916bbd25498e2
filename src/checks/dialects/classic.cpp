// The MAME of 2004 that the checks have always followed. The passes read
// its lines their own plain way (plain()), the fast one; the rules here
// are the same, for whoever asks the dialect itself, and a test holds the
// two to each other.

#include "cheatfile/linekind.h"
#include "checks/dialect.h"
#include "checks/fieldcheck.h"
#include "checks/fieldfailure.h"
#include "checks/lowercasefix.h"

namespace {

class classicrules final : public linecheck {
public:
    classicrules(findingsink& out, bool fixes) : out_(out), fixes_(fixes) {}

    void check(const line& current, linekind kind, std::string_view number) override {
        ended_ = ended_ || kind == linekind::endmarker;
        if (ended_) return;
        if (kind == linekind::title) block_.newblock = true;
        if (kind != linekind::cheat) return;
        checkedline checked = checkfields(current.text);
        unsigned failed = checked.failed | (shortnamepasses(checked.shortname, current, block_) ? 0 : failure::shortname);
        if (failed != 0) tellfailures(current, number, checked, failed, block_, out_);
        if (fixes_ && (failed & failure::fields) != 0) lowercasefixes(current, checked, failed, out_);
    }

private:
    findingsink& out_;
    bool fixes_;
    bool ended_ = false;  // the end marker ends the checks
    blockstate block_;
};

class classic final : public dialect {
public:
    std::string_view name() const override { return "classic"; }
    bool plain() const override { return true; }
    linekind classify(const line& current) const override { return ::classify(current.text); }
    std::unique_ptr<linecheck> thirdpass(std::FILE*, findingsink& out, bool fixes) const override {
        return std::make_unique<classicrules>(out, fixes);
    }
};

}  // namespace

const dialect& classicdialect() {
    static const classic rules;
    return rules;
}
