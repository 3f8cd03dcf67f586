#pragma once

// The program from its main window's start to its end, once the application object exists.
// Answers the exit status.
int RunProgram();
