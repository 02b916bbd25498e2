#include "cheatfields.h"

#include "token.h"

cheatfields splitfields(const char* cheatline) {
    cheatfields fields;
    std::string_view rest(cheatline);
    for (std::string_view* field : {&fields.shortname, &fields.type, &fields.address,
                                    &fields.data, &fields.extended}) {
        if (!nexttoken(rest, ':', *field)) {
            break;
        }
    }
    return fields;
}
