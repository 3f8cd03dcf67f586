#pragma once

#include <QString>

// Reads the number at the start of a stored text: leading blanks are skipped, text that does
// not begin with a number gives 0, fractions round half to even, and anything outside the
// 16-bit range stops at its nearest end.
qint16 NumberFromText(const QString &text);

// " 3": counts and positions are stored with one leading blank.
QString CountText(int count);
