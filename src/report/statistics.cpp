#include "statistics.h"

#include <algorithm>
#include <string>

void writestatistics(reportwriter& out, const long long* counts) {
    const checkinfo* order[checkcount];
    long long totals[3] = {};
    int count = 0;
    for (const checkinfo& check : checktable) {
        totals[static_cast<int>(check.level)] += counts[static_cast<int>(check.id)];
        if (counts[static_cast<int>(check.id)] > 0) order[count++] = &check;
    }
    std::stable_sort(order, order + count,
                     [counts](const checkinfo* a, const checkinfo* b) { return counts[static_cast<int>(a->id)] > counts[static_cast<int>(b->id)]; });
    std::size_t digits = count > 0 ? std::to_string(counts[static_cast<int>(order[0]->id)]).size() : 1;
    // The names' column as wide as the longest, and at least as today's.
    std::size_t width = std::max<std::size_t>(checknamewidth() + 2, 20);
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(counts[static_cast<int>(order[i]->id)]);
        out.putrepeated(' ', digits - number.size());
        out.put(number);
        out.put("  ");
        out.put(order[i]->name);
        out.putrepeated(' ', width - order[i]->name.size());
        out.put(severityname(order[i]->level));
        out.put('\n');
    }
    const char* names[3][2] = {{" error", " errors"}, {" warning", " warnings"}, {" note", " notes"}};
    for (int level = 0; level < 3; ++level) {
        out.put(level == 0 ? "total: " : ", ");
        out.putnumber(totals[level]);
        out.put(names[level][totals[level] == 1 ? 0 : 1]);
    }
    out.put('\n');
}
