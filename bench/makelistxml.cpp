// Writes a -listxml game list as a current emulator prints it, the same bytes
// every time, and an empty cheat.dat beside it:
//
//   makelistxml <folder> [machines]
//
// 48,000 machines by default, about one in six a device or a set that does
// not run on its own, each with the roms, device references, chips, inputs
// and DIP switches of a real entry: a file of about 200 MB.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generator.h"

namespace {

std::string hex(generator& rng, int digits) {
    static const char digitchars[] = "0123456789abcdef";
    std::string text;
    for (int i = 0; i < digits; ++i) text += digitchars[rng.below(16)];
    return text;
}

std::string nameof(int machine) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
    std::string name;
    for (int n = machine + 1; n > 0; n /= 26) name += letters[n % 26];
    return name + (machine % 7 == 0 ? "_2ndrev" : "");
}

const char dtd[] =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE mame [\n"
    "<!ELEMENT mame (machine+)>\n"
    "\t<!ATTLIST mame build CDATA #IMPLIED>\n"
    "\t<!ATTLIST mame debug (yes|no) \"no\">\n"
    "\t<!ATTLIST mame mameconfig CDATA #REQUIRED>\n"
    "\t<!ELEMENT machine (description, year?, manufacturer?, biosset*, rom*, disk*, device_ref*, sample*, chip*, "
    "display*, sound?, input?, dipswitch*, configuration*, port*, adjuster*, driver?, feature*, device*, slot*, "
    "softwarelist*, ramoption*)>\n"
    "\t\t<!ATTLIST machine name CDATA #REQUIRED>\n"
    "\t\t<!ATTLIST machine sourcefile CDATA #IMPLIED>\n"
    "\t\t<!ATTLIST machine isbios (yes|no) \"no\">\n"
    "\t\t<!ATTLIST machine isdevice (yes|no) \"no\">\n"
    "\t\t<!ATTLIST machine runnable (yes|no) \"yes\">\n"
    "\t\t<!ATTLIST machine cloneof CDATA #IMPLIED>\n"
    "\t\t<!ATTLIST machine romof CDATA #IMPLIED>\n"
    "\t\t<!ELEMENT description (#PCDATA)>\n"
    "\t\t<!ELEMENT year (#PCDATA)>\n"
    "\t\t<!ELEMENT manufacturer (#PCDATA)>\n"
    "]>\n\n";

void writemachine(std::string& out, generator& rng, int machine) {
    std::string name = nameof(machine);
    int kind = rng.below(6);  // 0: a device, 1: not runnable on its own
    out += "\t<machine name=\"" + name + "\" sourcefile=\"src/mame/" + nameof(machine / 40) + "/" + name + ".cpp\"";
    if (kind == 0) out += " isdevice=\"yes\" runnable=\"no\"";
    if (kind == 1) out += " runnable=\"no\"";
    if (kind > 2 && machine % 3 == 0) out += " cloneof=\"" + nameof(machine - 1) + "\" romof=\"" + nameof(machine - 1) + "\"";
    out += ">\n\t\t<description>Game &amp; Watch " + name + " (World, rev " + std::to_string(rng.below(9)) +
           ")</description>\n\t\t<year>19" + std::to_string(78 + rng.below(22)) +
           "</year>\n\t\t<manufacturer>Maker " + std::to_string(rng.below(300)) + "</manufacturer>\n";
    int roms = kind == 0 ? 1 : 8 + rng.below(24);
    for (int r = 0; r < roms; ++r) {
        out += "\t\t<rom name=\"" + name + "-" + std::to_string(r) + ".u" + std::to_string(r + 10) + "\" size=\"" +
               std::to_string(1024 << rng.below(8)) + "\" crc=\"" + hex(rng, 8) + "\" sha1=\"" + hex(rng, 40) +
               "\" region=\"maincpu\" offset=\"" + hex(rng, 5) + "\"/>\n";
    }
    for (int d = 0; d < 6 + rng.below(10); ++d) out += "\t\t<device_ref name=\"" + nameof(rng.below(2000)) + "\"/>\n";
    for (int c = 0; c < 3 + rng.below(4); ++c) {
        out += "\t\t<chip type=\"cpu\" tag=\"maincpu" + std::to_string(c) + "\" name=\"Zilog Z80\" clock=\"" +
               std::to_string(1000000 + rng.below(9000000)) + "\"/>\n";
    }
    out += "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\" "
           "pixclock=\"6144000\" htotal=\"384\" hbend=\"0\" hbstart=\"288\" vtotal=\"264\" vbend=\"0\" vbstart=\"224\"/>\n"
           "\t\t<sound channels=\"1\"/>\n"
           "\t\t<input players=\"2\" coins=\"2\">\n"
           "\t\t\t<control type=\"joy\" player=\"1\" buttons=\"1\" ways=\"4\"/>\n"
           "\t\t\t<control type=\"joy\" player=\"2\" buttons=\"1\" ways=\"4\"/>\n"
           "\t\t</input>\n";
    for (int s = 0; s < (kind == 0 ? 0 : 4 + rng.below(6)); ++s) {
        out += "\t\t<dipswitch name=\"Switch " + std::to_string(s) + "\" tag=\"DSW1\" mask=\"" + std::to_string(3 << s) +
               "\">\n\t\t\t<diplocation name=\"SW1\" number=\"" + std::to_string(s + 1) + "\"/>\n";
        for (int v = 0; v < 4; ++v) {
            out += "\t\t\t<dipvalue name=\"Setting " + std::to_string(v) + "\" value=\"" + std::to_string(v << s) +
                   "\"" + (v == 0 ? " default=\"yes\"" : "") + "/>\n";
        }
        out += "\t\t</dipswitch>\n";
    }
    out += "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n\t</machine>\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: makelistxml <folder> [machines]\n", stderr);
        return 2;
    }
    std::string folder = argv[1];
    int machines = argc > 2 ? std::atoi(argv[2]) : 48000;
    std::FILE* list = std::fopen((folder + "/games.xml").c_str(), "wb");
    std::FILE* cheats = std::fopen((folder + "/cheat.dat").c_str(), "wb");
    if (list == nullptr || cheats == nullptr) {
        std::fputs("makelistxml: cannot write in that folder\n", stderr);
        return 1;
    }
    std::fclose(cheats);
    generator rng{2026};
    std::fputs(dtd, list);
    std::fputs("<mame build=\"0.250 (mame0250)\" debug=\"no\" mameconfig=\"10\">\n", list);
    std::string out;
    for (int machine = 0; machine < machines; ++machine) {
        writemachine(out, rng, machine);
        if (out.size() > (1 << 20)) std::fwrite(out.data(), 1, out.size(), list), out.clear();
    }
    out += "</mame>\n";
    std::fwrite(out.data(), 1, out.size(), list);
    return std::fclose(list) == 0 ? 0 : 1;
}
