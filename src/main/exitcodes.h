#pragma once

// The tool's exit codes.
namespace exitcode {
constexpr int completed = 0;
constexpr int findings = 1;      // with --strict: an error finding is shown (not hidden, not left out)
constexpr int usage = 2;         // the command line is not understood; nothing was run
constexpr int cannotopen = 3;    // an input or report file could not be opened
// 4 is no longer given: it meant more games than fitted, and any number fits.
constexpr int readfailed = 5;    // an input could not be read to its end
constexpr int writefailed = 6;   // a report, or standard output as the product, could not be written in full
}  // namespace exitcode
