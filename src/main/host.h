#pragma once

// The one place that knows the host. Runs a command through the host's
// command interpreter, looking for the program in the current directory
// first, and returns the command's exit code (-1 when it could not be run).
int runcommand(const char* command);
