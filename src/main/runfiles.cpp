#include "runfiles.h"

#include "filerules.h"
#include "fixinplace.h"
#include "host.h"

namespace {

std::FILE* readable(std::FILE* file) {
    int first = std::getc(file);
    if (std::ferror(file)) {
        std::fclose(file);
        return nullptr;
    }
    std::ungetc(first, file);
    return file;
}

}  // namespace

std::FILE* openinput(const std::string& name) {
    std::FILE* file = openfile(name.c_str(), "rb");
    return file != nullptr ? readable(file) : nullptr;
}

std::FILE* openlist(const runnames& names) {
    if (!names.fromstdin) return openinput(names.gamelist);
    makestdinbinary();
    return readable(stdin);
}

std::FILE* opencheatfile(const std::string& name, const console& say) {
    // A FIFO is known before it is opened, which would wait for a writer.
    bool pipe = ispipe(name);
    std::FILE* file = pipe ? nullptr : openfile(name.c_str(), "rb");
    if (pipe || (file != nullptr && std::fseek(file, 0, SEEK_CUR) != 0)) {
        say.cannotopen(name.c_str(), "It must be a file that can be read three times, not a pipe.");
        return nullptr;
    }
    file = file != nullptr ? readable(file) : nullptr;
    if (file == nullptr) say.cannotopen(name.c_str());
    return file;
}

const std::string* unwritable(const std::vector<std::string>& names) {
    std::vector<const std::string*> made;
    const std::string* failed = nullptr;
    for (const std::string& name : names) {
        bool existed = anythingnamed(name);
        std::FILE* file = openfile(name.c_str(), "a");
        if (file == nullptr) {
            failed = &name;
            break;
        }
        std::fclose(file);
        if (!existed) made.push_back(&name);
    }
    if (failed != nullptr) {
        for (const std::string* name : made) removefile(name->c_str());
    }
    return failed;
}

std::FILE* wholeoutput::open(const std::string& name) {
    target_ = outputtarget(name);
    if (target_.empty()) return openfile(name.c_str(), "wb");
    std::FILE* file = createbeside(target_, temp_);
    if (file == nullptr) temp_.clear();
    return file;
}

bool wholeoutput::place(bool written, bool keep) {
    if (temp_.empty()) return written;
    bool replaced = written && keep && replacefile(temp_.c_str(), target_.c_str());
    if (!replaced) removefile(temp_.c_str());
    return written && (replaced || !keep);
}

// Emptied, or made, through one handle and written through another: ext4
// writes a file emptied and then rewritten through the same handle to disk
// when that handle closes, so a large report would wait for the disk. What
// the file holds at any moment is the same either way. Anything but a file
// (a device) is opened once, as it is.
std::FILE* openreport(const std::string& name) {
    std::FILE* file = openfile(name.c_str(), "w");
    if (file == nullptr || !isregularornew(name)) return file;
    std::fclose(file);
    file = openfile(name.c_str(), "r+");
    return file != nullptr ? file : openfile(name.c_str(), "w");
}

bool closereport(std::FILE* file) {
    bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}
