#pragma once

#include <QString>

// The platform's own per-user folders for settings and for data, in Qt's form.
QString PlatformConfigFolder();
QString PlatformDataFolder();
