#include "NumberTextBefore.h"

#include <cmath>
#include <limits>

namespace {

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool IsDigit(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9';
}

qsizetype SkipDigits(const QString &text, qsizetype i)
{
    while (IsDigit(text, i))
        ++i;
    return i;
}

// The longest prefix of text, from start, that reads as a decimal number:
// an optional sign, digits with an optional fraction, and an optional exponent.
qsizetype NumberEnd(const QString &text, qsizetype start)
{
    qsizetype i = start;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        ++i;
    const qsizetype intStart = i;
    i = SkipDigits(text, i);
    bool anyDigits = i > intStart;
    if (i < text.size() && text.at(i) == u'.') {
        const qsizetype fracEnd = SkipDigits(text, i + 1);
        if (anyDigits || fracEnd > i + 1) {
            anyDigits = true;
            i = fracEnd;
        }
    }
    if (!anyDigits)
        return start;
    if (i < text.size() && (text.at(i) == u'e' || text.at(i) == u'E')) {
        qsizetype e = i + 1;
        if (e < text.size() && (text.at(e) == u'+' || text.at(e) == u'-'))
            ++e;
        if (IsDigit(text, e))
            i = SkipDigits(text, e);
    }
    return i;
}

} // namespace

qint16 NumberFromTextBefore(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && IsBlank(text.at(start)))
        ++start;
    const qsizetype end = NumberEnd(text, start);
    if (end == start)
        return 0;

    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
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
