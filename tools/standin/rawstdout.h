#pragma once

// Lets standard output pass bytes unchanged: on Windows it is a text stream
// that would turn each line feed into CR LF, and the tests compare the
// temporary file with listfull.txt byte for byte.
void makestdoutraw();
