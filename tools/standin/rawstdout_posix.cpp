#include "rawstdout.h"

void makestdoutraw() {}  // standard output is never translated here
