#pragma once

#include <QString>

// Whether two paths name the same folder as the system compares names: on Windows case and
// separators aside, elsewhere byte for byte; "." and ".." parts and doubled separators aside.
bool SameFolder(const QString &a, const QString &b);
