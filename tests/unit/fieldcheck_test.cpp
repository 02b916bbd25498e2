#include "checks/fieldcheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "checks/hexfield.h"
#include "memoryfile.h"

namespace {

struct checked {
    std::string failed;  // the names after "fields :", or "-" for no entry
    bool warned;
};

// Runs the field check over a block holding `lines`, and tells what it said
// about the last line.
checked checklast(const std::string& lines) {
    std::FILE* files[] = {filewith("; [ Game ]\n" + lines), scratchfile(), scratchfile()};
    report out{files[1], files[2], nullptr};
    runfieldcheck(files[0], out);
    std::string said = contentof(files[1]);
    std::string warned = contentof(files[2]);
    for (std::FILE* file : files) std::fclose(file);

    long long lastline = 1;
    for (char c : lines) lastline += c == '\n';
    std::string entry = "Line " + std::to_string(lastline) + " has an illegal size/characters in fields :";
    checked result{"-", warned.find("at Line " + std::to_string(lastline) + "\n") != std::string::npos};
    std::size_t at = said.find(entry);
    if (at != std::string::npos) {
        std::size_t start = at + entry.size();
        result.failed = said.substr(start, said.find('\n', start) - start);
    }
    return result;
}

struct fieldcase {
    const char* lines;
    const char* failed;
    bool warned;
};

const fieldcase cases[] = {
    // Well-formed lines: a zero extended field is worth a warning only.
    {":pacman:00000000:4E14:00000000:00000000:Lives\n", "-", true},
    {":pacman:00000000:4E14:00000000:FFFFFFFF:Lives\n", "-", false},
    {":pacman:00000000:0000:00000003:FFFFFFFF:Lives\n", "-", true},
    {":pacman:00000000:4E14:00000003:FFFFFFFF\n", " extended ", false},
    // Suspect masks; FFFFFFFF reads as 7FFFFFFF and is none of them.
    {":pacman:00000000:4E14:00000000:000000FF:x\n", " suspect mask ", false},
    {":pacman:00000000:4E14:00000000:0000FFFF:x\n", " suspect mask ", false},
    {":pacman:00000000:4E14:00000000:00FFFFFF:x\n", " suspect mask ", false},
    {":pacman:00000000:4E14:00000000:0FFFFFFF:x\n", "-", false},
    // Size and characters.
    {":pacman:0000000a:4E14:00000000:FFFFFFFF:x\n", " type ", false},
    {":pacman:000000000:4E14:00000000:FFFFFFFF:x\n", " type ", false},
    {":pacman:00000000:4E1:00000000:FFFFFFFF:x\n", " address ", false},
    {":pacman:00000000:0123456789ABCDEF:00000000:FFFFFFFF:x\n", "-", false},
    {":pacman:00000000:0123456789ABCDEF0123:00000000:FFFFFFFF:x\n", "-", false},
    {":pacman:0000000g:4E14:0000000:FFFFFFFF:x\n", " type  data ", false},
    {":pacman:00000000:4E14:00000000:FFFFFFF:x\n", " extended ", false},
    {":pacman:00000000:4E14\n", " address  data  extended ", false},
    {":pacman::4E14:00000000:FFFFFFFF:x\n", " type  extended ", true},
    // Types 60 and 62 use no other field; they are never worth a warning.
    {":pacman:60000000:0000:00000000:00000000:x\n", "-", false},
    {":pacman:62000000:0000:00000000:00000000:x\n", "-", false},
    {":pacman:60000000:4E14:00000000:00000000:x\n", " unneeded fields should = 0 ", false},
    {":pacman:62000000:000:00000000:00000000:x\n", " address  unneeded fields should = 0 ", false},
    {":pacman:62000000:0000:00000000:00000000\n", " extended  unneeded fields should = 0 ", false},
    {":pacman:6200000:0000:00000000:00000000:x\n", " type ", false},
    {":pacman:6200000:0001:00000000:00000000:x\n", " type  unneeded fields should = 0 ", false},
    {":pacman:61000000:0000:00000000:00000000:x\n", "-", true},
    // Bit 0x00080000 of the type, and types that read as 7FFFFFFF, excuse a zero.
    {":pacman:00080000:0000:00000000:00000000:x\n", "-", false},
    {":pacman:80000000:0000:00000000:00000000:x\n", "-", false},
    {":pacman:00070000:0000:00000000:00000000:x\n", "-", true},
    // The first cheat line after a title sets the block's shortname.
    {":pacman:00000000:4E14:00000000:FFFFFFFF:x\n:mspacman:00000000:4E14:00000000:FFFFFFFF:x\n",
     " shortname ", false},
    {":pacman:00000000:4E14:00000000:FFFFFFFF:x\n:mspacman:00000000:4E14:00000000:FFFFFFFF:x\n"
     ":pacman:00000000:4E14:00000000:FFFFFFFF:x\n",
     "-", false},
    {":abcdefghijX:00000000:4E14:00000000:FFFFFFFF:x\n:abcdefghijY:00000000:4E14:00000000:FFFFFFFF:x\n",
     " shortname ", false},
    {":pacman:00000000:4E14:00000000:FFFFFFFF:x\n; [ Other ]\n:galaga:00000000:4E14:00000000:FFFFFFFF:x\n",
     "-", false},
    {":pacman:00000000:4E14:00000000:FFFFFFFF:x\n# comment\n\n:pacman:0000000:4E14:00000000:FFFFFFFF:x\n",
     " type ", false},
};

TEST(FieldCheck, Rules) {
    for (const fieldcase& c : cases) {
        checked result = checklast(c.lines);
        EXPECT_EQ(result.failed, c.failed) << c.lines;
        EXPECT_EQ(result.warned, c.warned) << c.lines;
    }
}

TEST(HexField, LengthBoundedAndSaturating) {
    EXPECT_TRUE(isitvalidhex("12zz", 2));
    EXPECT_FALSE(isitvalidhex("12zz", 3));
    std::int32_t value = 0;
    auto read = [&value](const char* text) { return readhex(text, std::strlen(text), value) ? value : -1; };
    EXPECT_EQ(read("7FFFFFFF"), 0x7FFFFFFF);
    EXPECT_EQ(read("0800000A"), 0x0800000A);
    EXPECT_EQ(read("80000000"), 0x7FFFFFFF);
    EXPECT_EQ(read("FFFFFFFFFFFFFFFFFFFF"), 0x7FFFFFFF);
    EXPECT_EQ(read("8000000000000000000F"), 0x7FFFFFFF);  // stays saturated
    EXPECT_EQ(read("00000000000000001234"), 0x1234);
    EXPECT_EQ(read("12a4"), -1);
    EXPECT_EQ(read(""), 0);
}

}  // namespace
