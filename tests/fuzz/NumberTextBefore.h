#pragma once

#include <QString>

// The number reader as it was when it walked the digits by hand, for fuzz_number to hold the
// new one to.
qint16 NumberFromTextBefore(const QString &text);
