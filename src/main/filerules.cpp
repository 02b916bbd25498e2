#include "filerules.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The folders of a path as they really are, the last name left as it is.
fs::path realfolder(const fs::path& path) {
    std::error_code error;
    fs::path folder = fs::weakly_canonical(path.parent_path(), error);
    return (error ? path.parent_path().lexically_normal() : folder) / path.filename();
}

// Where `name` leads: absolute, its folders resolved, and, when `follow`,
// its links followed as far as they go, to a place that need not exist.
fs::path destination(const std::string& name, bool follow) {
    std::error_code error;
    fs::path at = realfolder(fs::absolute(fs::u8path(name), error));
    for (int hops = 0; follow && hops < 40 && fs::is_symlink(at, error); ++hops) {
        fs::path target = fs::read_symlink(at, error);
        if (error) break;
        at = realfolder(target.is_absolute() ? target : at.parent_path() / target);
    }
    return at;
}

}  // namespace

bool samefile(const std::string& a, const std::string& b, bool followb) {
    std::error_code error;
    // A file of b's name that is not followed is removed first, whatever
    // other name it has: only the place counts.
    if (followb && fs::equivalent(fs::u8path(a), fs::u8path(b), error)) return true;
    return destination(a, true) == destination(b, followb);
}

bool ispipe(const std::string& name) {
    std::error_code error;
    return fs::status(fs::u8path(name), error).type() == fs::file_type::fifo;
}

std::string pathbelow(const std::string& name) {
    std::error_code error;
    fs::path here = fs::current_path(error);
    fs::path relative = fs::absolute(fs::u8path(name), error).lexically_normal().lexically_relative(here);
    if (error || relative.empty() || *relative.begin() == "..") return {};
    return relative.generic_u8string();
}

bool throughlink(const std::string& name, const std::string& below) {
    std::error_code error;
    fs::path at;
    for (const fs::path& part : fs::u8path(below)) {
        at /= part;
        if (fs::is_symlink(at, error)) return true;
    }
    // "x/../y" is "y" to the eye but not to the host when x is a link: the
    // folder above x's target.
    fs::path given = fs::u8path(name);
    if (std::find(given.begin(), given.end(), fs::path("..")) == given.end()) return false;
    fs::path reached = fs::weakly_canonical(fs::absolute(given, error), error);
    fs::path expected = fs::weakly_canonical(fs::current_path(error) / fs::u8path(below), error);
    return error || reached != expected;
}

bool isfolder(const std::string& name) {
    std::error_code error;
    return fs::is_directory(fs::u8path(name), error);
}

bool anythingnamed(const std::string& name) {
    std::error_code error;
    return fs::exists(fs::symlink_status(fs::u8path(name), error));
}

bool isregularornew(const std::string& name) {
    std::error_code error;
    fs::file_type type = fs::status(fs::u8path(name), error).type();
    return type == fs::file_type::regular || type == fs::file_type::not_found;
}

bool isplainfileornew(const std::string& name) {
    std::error_code error;
    fs::file_type type = fs::symlink_status(fs::u8path(name), error).type();
    return type == fs::file_type::regular || type == fs::file_type::not_found;
}
