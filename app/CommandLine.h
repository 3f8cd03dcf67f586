#pragma once

#include <optional>

// Reads the command line before any window, so that it needs no display. Answers --help and
// --version on standard output and refuses anything else in one line on standard error; gives
// the exit status when the program ends there, and nothing when it starts as usual.
std::optional<int> AnswerCommandLine(int argc, char *argv[]);
