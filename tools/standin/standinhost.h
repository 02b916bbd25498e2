#pragma once

// What the stand-in needs of its host.

// Lets standard output pass bytes unchanged: on Windows it is a text stream
// that would turn each line feed into CR LF, and the tests compare the
// temporary file with listfull.txt byte for byte.
void makestdoutraw();

// Ends the program as a crash does: by a signal, or on Windows with an
// access violation's exit status.
[[noreturn]] void crash();
