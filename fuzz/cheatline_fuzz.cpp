// Line reading, classification, block titles and field splitting on any bytes.

#include <cstdint>
#include <cstring>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "reference.h"
#include "text/line.h"
#include "cheatfile/linekind.h"
#include "checks/hexfield.h"
#include "fuzzinput.h"

namespace {

// The value of a hexadecimal field, one digit at a time.
std::int32_t plainvalue(std::string_view field) {
    std::uint64_t total = 0;
    for (char c : field) {
        total = total * 16 + static_cast<std::uint64_t>(c <= '9' ? c - '0' : c - 'A' + 10);
        if (total > 0x7FFFFFFF) total = 0x80000000;  // stays above, without overflow
    }
    return static_cast<std::int32_t>(total > 0x7FFFFFFF ? 0x7FFFFFFF : total);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = openbytes(data, size);
    linereader reader(file);
    line current;
    blocktitle title{};
    while (reader.next(current)) {
        if (current.size > linecapacity || current.text.size() > current.size ||
            current.text.find('\0') != std::string_view::npos) {
            __builtin_trap();
        }
        switch (classify(current.text)) {
            case linekind::title:
                takeblocktitle(current.text, title);
                if (std::strlen(title.text) > blocktitlecapacity) __builtin_trap();
                break;
            case linekind::cheat: {
                // The field check's one-pass reader against the plain split
                // and the plain hexadecimal test.
                cheatfields fields = splitfields(current.text);
                const char* c = current.text.data();
                const char* end = c + current.text.size();
                nextfield(c, end);
                for (std::string_view field : {fields.type, fields.address, fields.data, fields.extended}) {
                    checkedfield read = readfield(c, end, 4, 20);
                    bool valid = isitvalidhex(field.data(), field.size()) && field.size() >= 4 && field.size() <= 20;
                    if (read.text != field || read.passed != valid || read.value != (valid ? plainvalue(field) : 1)) {
                        __builtin_trap();
                    }
                }
                break;
            }
            default:
                break;
        }
    }
    std::fclose(file);
    return 0;
}
