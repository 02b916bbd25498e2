#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "standinhost.h"

void makestdoutraw() { _setmode(_fileno(stdout), _O_BINARY); }

void crash() { ExitProcess(0xC0000005); }
