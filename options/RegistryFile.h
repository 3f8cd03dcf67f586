#pragma once

#include <QString>

// Where there is no system registry, both roots live in one text file beside the settings
// store: $XDG_CONFIG_HOME/Tavrel/registry.reg, in the registry's own REGEDIT4 export syntax,
// UTF-8. Each call reads the file afresh; a write replaces it in one atomic step and leaves
// every line it does not change exactly as it was.
QString RegistryFilePath();
