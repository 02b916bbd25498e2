#pragma once

// The tool's exit codes.
namespace exitcode {
constexpr int completed = 0;
constexpr int findings = 1;      // with --strict: the results report has findings
constexpr int usage = 2;         // the command line is not understood; nothing was run
constexpr int cannotopen = 3;    // an input or report file could not be opened
constexpr int toomanygames = 4;  // the game list holds more games than fit
constexpr int readfailed = 5;    // an input could not be read to its end
constexpr int writefailed = 6;   // a report could not be written in full
}  // namespace exitcode
