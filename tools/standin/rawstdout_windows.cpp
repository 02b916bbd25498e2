#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "rawstdout.h"

void makestdoutraw() { _setmode(_fileno(stdout), _O_BINARY); }
