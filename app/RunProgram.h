#pragma once

// The whole program, from its command line to its end; main() is only this call. Answers the
// exit status.
int RunProgram(int argc, char *argv[]);
