#pragma once

// The tool's exit codes.
namespace exitcode {
constexpr int completed = 0;
constexpr int cannotopen = 3;    // an input or report file could not be opened
constexpr int toomanygames = 4;  // the game list holds more games than fit
constexpr int readfailed = 5;    // an input could not be read to its end
constexpr int writefailed = 6;   // a report could not be written in full
}  // namespace exitcode
