#pragma once

// Hooks for the test suites; the program itself never calls them.

#include <QString>

// Linux: /snap and /var/lib/flatpak, where a snap and a system-wide Flatpak are found, are
// looked for below root; an empty text brings the machine's own back.
void UseSystemFoldersForTests(const QString &root);
