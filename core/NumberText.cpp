#include "NumberText.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

qint16 NumberFromText(const QString &text)
{
    // The number's own characters first: Qt's reader takes only a whole text, and with it "inf",
    // "nan" and blanks that a stored number never holds.
    static const QRegularExpression number(QStringLiteral(
        R"(\A[ \t\r\n]*([+-]?(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)(?:[eE][+-]?[0-9]+)?))"));
    // The expression matches nothing at all in a text with a lone surrogate; Latin-1 turns
    // each into a '?', which ends a number as any other letter does.
    const QRegularExpressionMatch match =
        number.match(text.isValidUtf16() ? text : QString::fromLatin1(text.toLatin1()));
    if (!match.hasMatch())
        return 0;

    bool ok = false;
    const double value = match.capturedView(1).toDouble(&ok);
    if (!ok && !std::isinf(value))
        return 0;
    constexpr double low = std::numeric_limits<qint16>::min();
    constexpr double high = std::numeric_limits<qint16>::max();
    if (value <= low)
        return qint16(low);
    if (value >= high)
        return qint16(high);
    return qint16(std::nearbyint(value)); // the default rounding mode is half to even
}

QString CountText(int count)
{
    return u' ' + QString::number(count);
}
