#pragma once

#include <string_view>

// Whether `path` (folders separated by '/') matches the file pattern
// `pattern`: `*` stands for any run of characters within one folder name,
// `?` for one character but '/', `**` for any run across folders, and a
// `**/` that starts a folder name for no folders or any number of them
// (`**/cheat.dat` matches `cheat.dat` and `a/b/cheat.dat`). Everything else
// stands for itself; without `casesensitive` ASCII letters match either
// case. Only a `..` in the pattern matches a `..` folder of the path: no
// wildcard reaches out of the folder the paths are taken from. Time is the pattern's length times the path's, whatever the
// pattern: a pattern of stars never backtracks its way to a hang.
bool globmatch(std::string_view pattern, std::string_view path, bool casesensitive);
