#include "main/fixinplace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <sstream>
#include <string>

#include "main/exitcodes.h"

#include "memoryfile.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

const std::string before = "; [ Qbert ]\r\n:qbert:0000000a:1234:00000001:FFFFFFFF:x\r\n";
const std::string after = "; [ Qbert ]\r\n:qbert:0000000A:1234:00000001:FFFFFFFF:x\r\nno end, a NUL: \0"s;

// A folder of the test's own, holding cheat.dat.
struct FixInPlace : ::testing::Test {
    fs::path folder;

    void SetUp() override { fresh(); }
    void fresh() {
        static int made = 0;
        std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = fs::path(::testing::TempDir()) / ("vettle-inplace-" + test + "-" + std::to_string(++made));
        fs::remove_all(folder);
        fs::create_directories(folder);
        writeall(folder / "cheat.dat", before);
    }
    void TearDown() override {
        std::error_code error;
        fs::permissions(folder / "cheat.dat", fs::perms::owner_write, fs::perm_options::add, error);
        fs::remove_all(folder, error);
    }

    std::set<std::string> names() const {
        std::set<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) found.insert(entry.path().filename().u8string());
        return found;
    }
    fileseen seen(const fs::path& path) const {
        fileseen out;
        EXPECT_TRUE(seefile(path.u8string().c_str(), out));
        return out;
    }
};

writefn writing(const std::string& content, bool* called = nullptr) {
    return [content, called](reportwriter& into) {
        if (called != nullptr) *called = true;
        into.put(content);
        return true;
    };
}

TEST_F(FixInPlace, ReplacesTheBytesAndKeepsThePermissions) {
    fs::path name = folder / "cheat.dat";
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::perms kept = fs::status(name).permissions();
    writeall(folder / "cheat.dat.new", "someone's own file");
    std::string why;
    EXPECT_EQ(fixinplace(name.u8string(), seen(name), writing(after), why), exitcode::completed) << why;
    EXPECT_EQ(readall(name), after);
    EXPECT_EQ(fs::status(name).permissions(), kept);
    EXPECT_EQ(readall(folder / "cheat.dat.new"), "someone's own file");
    EXPECT_EQ(names(), (std::set<std::string>{"cheat.dat", "cheat.dat.new"}));
}

// Nothing is written, and the writer is never asked, for a file that may
// not be rewritten as it stands.
TEST_F(FixInPlace, RefusesWhatARenameWouldBreak) {
    const struct {
        const char* name;
        const char* fixed;  // the name given
        std::function<void(const fs::path& folder)> setup;
        bool afterseen;  // set up after the file is seen
        const char* why;
    } cases[] = {
        {"the name is a link", "linked.dat",
         [](const fs::path& f) { fs::create_symlink("cheat.dat", f / "linked.dat"); }, false, "through a link"},
        {"a folder on the way is a link", "linked/cheat.dat",
         [](const fs::path& f) {
             fs::create_directory(f / "real");
             fs::copy_file(f / "cheat.dat", f / "real" / "cheat.dat");
             fs::create_directory_symlink("real", f / "linked");
         },
         false, "through a link"},
        {"x/.. where x is a link", "linked/../cheat.dat",
         [](const fs::path& f) {
             fs::create_directories(f / "real" / "sub");
             fs::copy_file(f / "cheat.dat", f / "real" / "cheat.dat");
             fs::create_directory_symlink("real/sub", f / "linked");
         },
         false, "through a link"},
        {"read-only", "cheat.dat",
         [](const fs::path& f) {
             fs::permissions(f / "cheat.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         },
         false, "read-only"},
        {"two hard links", "cheat.dat",
         [](const fs::path& f) { fs::create_hard_link(f / "cheat.dat", f / "other.dat"); }, false, "hard links"},
        {"a folder", "folder.dat", [](const fs::path& f) { fs::create_directory(f / "folder.dat"); }, false,
         "not a plain file"},
        {"changed since it was seen", "cheat.dat",
         [](const fs::path& f) { std::ofstream(f / "cheat.dat", std::ios::binary | std::ios::app) << "more"; }, true,
         "changed"},
        {"put in its place since it was seen", "cheat.dat",
         [](const fs::path& f) {
             writeall(f / "other.dat", before);
             fs::rename(f / "other.dat", f / "cheat.dat");
         },
         true, "changed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        fresh();
        try {
            if (!c.afterseen) c.setup(folder);
        } catch (const fs::filesystem_error& error) {
            // Windows lets few users make a symbolic link.
            std::cout << "not tried here (" << c.name << "): " << error.what() << "\n";
            continue;
        }
        std::set<std::string> present = names();
        fs::path name = folder / c.fixed;
        fileseen first;
        seefile(name.u8string().c_str(), first);
        if (c.afterseen) c.setup(folder);
        std::string content = readall(folder / "cheat.dat");
        bool called = false;
        std::string why;
        EXPECT_EQ(fixinplace(name.u8string(), first, writing(after, &called), why), exitcode::cannotopen);
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        EXPECT_FALSE(called);
        EXPECT_EQ(readall(folder / "cheat.dat"), content);
        EXPECT_EQ(names(), present);
        if (fs::is_symlink(folder / "linked.dat")) {
            EXPECT_EQ(fs::read_symlink(folder / "linked.dat"), "cheat.dat");
        }
    }
}

// A file that changes while its new content is written, or content that
// cannot be made, leaves the file as it is and nothing beside it.
TEST_F(FixInPlace, AFailureLeavesTheFileAndNoNewOne) {
    fs::path name = folder / "cheat.dat";
    const struct {
        const char* name;
        writefn write;
        int code;
        const char* why;
    } cases[] = {
        {"changed meanwhile",
         [&name](reportwriter& into) {
             into.put(after);
             std::ofstream(name, std::ios::binary | std::ios::app) << "more";
             return true;
         },
         exitcode::cannotopen, "changed"},
        {"cannot be read again",
         [](reportwriter& into) {
             into.put(after);
             return false;
         },
         exitcode::readfailed, "could not be read"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeall(name, before);
        fileseen first = seen(name);
        std::string why;
        EXPECT_EQ(fixinplace(name.u8string(), first, c.write, why), c.code);
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
        EXPECT_NE(readall(name), after);
        EXPECT_EQ(names(), std::set<std::string>{"cheat.dat"});
    }
}

}  // namespace
