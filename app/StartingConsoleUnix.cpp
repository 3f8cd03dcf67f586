#include "StartingConsole.h"

void JoinStartingConsole() {}
