#pragma once

#include <QString>

// The running user's folders where the program keeps its files, in Qt's form ('/'):
// - the user's settings folder, in which programs keep theirs: $XDG_CONFIG_HOME (~/.config) on
//   Linux, the roaming application data folder (%APPDATA%) on Windows, where Firefox keeps its
//   profiles too;
// - the store's folder: Tavrel in the settings folder;
// - the page's folder for an installed program: $XDG_DATA_HOME/Tavrel (~/.local/share/Tavrel) on
//   Linux, Tavrel in the local application data folder (%LOCALAPPDATA%\Tavrel) on Windows.
// None is made here.
QString UserConfigFolder();
QString StoreFolder();
QString UserDataFolder();
