#include "fixinplace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "exitcodes.h"

namespace fs = std::filesystem;

namespace {

// Any link on the name's way, the name itself included: a rename would
// replace the link itself, or write into a folder the name does not say.
// `x/../y` counts when x is a link, as it reaches the folder above x's
// target.
bool throughlink(const std::string& name) {
    fs::path given = fs::u8path(name);
    fs::path at;
    for (const fs::path& part : given) {
        at /= part;
        if (at == given.root_name()) continue;  // "C:" alone is that drive's current folder
        fileseen seen;
        if (seefile(at.u8string().c_str(), seen) && seen.link) return true;
    }
    return false;
}

// The same file with the same bytes, as far as the host tells.
bool unchanged(const fileseen& before, const fileseen& now) {
    return before.volume == now.volume && before.index == now.index && before.size == now.size &&
           before.modified == now.modified && before.mode == now.mode && before.link == now.link;
}

std::string withcause(const char* sentence, int error) {
    std::string text = sentence;
    if (error != 0) text += " (" + errortext(error) + ")";
    return text + "; it is left as it was.";
}

// The file beside `name` that its new content goes to, made anew.
}  // namespace

std::FILE* createbeside(const std::string& name, std::string& made) {
    std::FILE* file = nullptr;
    for (int i = 0; file == nullptr && i < 100; ++i) {
        made = name + ".new" + (i > 0 ? std::to_string(i) : "");
        file = createfile(made.c_str());
    }
    return file;
}

bool mayfixinplace(const std::string& name, const fileseen& before, std::string& why) {
    fileseen now;
    const char* problem = !seefile(name.c_str(), now) ? "It is gone."
                          : throughlink(name) ? "It is reached through a link, which is not written through."
                          : !now.regular      ? "It is not a plain file."
                          : now.readonly      ? "It is read-only."
                          : now.links > 1     ? "It has other names (hard links), which would keep the old content."
                          : !unchanged(before, now) ? "It changed while it was checked."
                                                    : nullptr;
    if (problem != nullptr) why = problem;
    return problem == nullptr;
}

int fixinplace(const std::string& name, const fileseen& before, const writefn& write, std::string& why) {
    if (!mayfixinplace(name, before, why)) return exitcode::cannotopen;
    std::string temp;
    errno = 0;
    std::FILE* file = createbeside(name, temp);
    if (file == nullptr) {
        why = withcause("No new file could be made beside it", errno);
        return exitcode::cannotopen;
    }
    bool read;
    bool written;
    int error;
    {
        auto out = std::make_unique<reportwriter>(file);
        read = write(*out);
        out->flush();
        written = !out->failed() && std::fflush(file) == 0;
        error = out->failed() ? out->error() : errno;
    }
    errno = 0;
    bool closed = closelike(file, before);
    if (written && !closed) error = errno;
    if (!read || !written || !closed) {
        removefile(temp.c_str());
        why = !read      ? withcause("It could not be read again to be fixed", 0)
              : !written ? withcause("Its fixed content could not be written beside it", error)
                         : withcause("Its fixed content could not be given the file's owner and permissions "
                                     "and put on the disk",
                                     error);
        return !read ? exitcode::readfailed : exitcode::writefailed;
    }
    // Whatever happened while the new content was written, the file is
    // replaced only as it was checked.
    if (!mayfixinplace(name, before, why)) {
        removefile(temp.c_str());
        return exitcode::cannotopen;
    }
    errno = 0;
    if (!replacekeeping(temp.c_str(), name.c_str())) {
        error = errno;
        removefile(temp.c_str());
        why = withcause("Its fixed content could not be put in its place", error);
        return exitcode::writefailed;
    }
    return exitcode::completed;
}
