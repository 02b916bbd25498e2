#include <algorithm>

#include "formats.h"
#include "text/closest.h"

const std::vector<formatinfo>& formattable() {
    static const std::vector<formatinfo> table = {
        {"concise", true, makeconcise},
        {"full", true, makefull},
        {"json", false, makejson},
        {"json-lines", false, makejsonlines},
        {"sarif", false, makesarif},
        // The summary is plain text in the job's log, which GitHub shows as it is.
        {"github", true, makegithub},
        {"gitlab", false, makegitlab},
    };
    return table;
}

const formatinfo* findformat(std::string_view name) {
    const std::vector<formatinfo>& table = formattable();
    auto at = std::find_if(table.begin(), table.end(), [&](const formatinfo& row) { return row.name == name; });
    return at == table.end() ? nullptr : &*at;
}

std::string unknownformat(std::string_view name, std::string_view where) {
    std::vector<std::string_view> names;
    std::string all;
    for (const formatinfo& row : formattable()) {
        names.push_back(row.name);
        all += (all.empty() ? "" : ", ") + std::string(row.name);
    }
    std::string closest(closestname(name, names));
    return "unknown output format '" + std::string(name) + "' in " + std::string(where) +
           (closest.empty() ? "; the formats are " + all : "; did you mean '" + closest + "'?");
}
