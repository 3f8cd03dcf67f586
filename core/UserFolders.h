#pragma once

#include <QString>

// The running user's folders where the program keeps its files, in Qt's form ('/'):
// - the store's folder: $XDG_CONFIG_HOME/Tavrel (~/.config/Tavrel) on Linux, Tavrel in the
//   roaming application data folder (%APPDATA%\Tavrel) on Windows;
// - the page's folder for an installed program: $XDG_DATA_HOME/Tavrel (~/.local/share/Tavrel) on
//   Linux, Tavrel in the local application data folder (%LOCALAPPDATA%\Tavrel) on Windows.
// Neither is made here.
QString StoreFolder();
QString UserDataFolder();
