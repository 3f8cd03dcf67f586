#pragma once

// A windowed program on Windows has no console: started from one, it joins it, so that --help
// and --version answer there and Ctrl+C reaches it. Elsewhere a program keeps the terminal it
// was started from, and this does nothing.
void JoinStartingConsole();
