// Line reading, classification, block titles and field splitting on any bytes.

#include <cstdint>
#include <cstring>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/line.h"
#include "cheatfile/linekind.h"
#include "checks/hexfield.h"
#include "fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = openbytes(data, size);
    linereader reader(file);
    line current;
    blocktitle title{};
    while (reader.next(current)) {
        std::size_t length = std::strlen(current.text);
        if (length > linecapacity) __builtin_trap();
        switch (classify(current.text)) {
            case linekind::title:
                takeblocktitle(current.text, title);
                if (std::strlen(title.text) > blocktitlecapacity) __builtin_trap();
                break;
            case linekind::cheat: {
                cheatfields fields = splitfields(current.text);
                for (std::string_view field : {fields.type, fields.address, fields.data, fields.extended}) {
                    std::int32_t value = 0;
                    bool valid = readhex(field.data(), field.size(), value);
                    if (valid != isitvalidhex(field.data(), field.size()) || value < 0) {
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
