#pragma once

#include <QByteArray>
#include <QStringView>

// The bytes that stand for one character above 127 (one UTF-16 unit, or a surrogate pair) in the
// system's 8-bit code page, exactly and without a look-alike stand-in; empty when the code page
// cannot hold it. Linux has no such code page: there the answer is always empty.
QByteArray InCodePage(QStringView character);
