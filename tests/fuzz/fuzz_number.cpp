// The number reader, from any text: the value lies in the 16-bit range, blanks before the text
// and a letter after it change nothing, a minus sign turns the value round, and the texts the
// program writes for a value read back as that value.
#include "FuzzSupport.h"
#include "NumberText.h"

#include <QString>

#include <cstddef>
#include <cstdint>

namespace {

bool StartsWithDigit(const QString &text)
{
    return !text.isEmpty() && text[0] >= u'0' && text[0] <= u'9';
}

bool CouldStartNumber(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-';
}

void Check(const QString &text)
{
    const int value = NumberFromText(text);
    Require(value >= -32768 && value <= 32767, "in the 16-bit range");
    Require(NumberFromText(QStringLiteral(" \t\r\n") + text) == value,
            "leading blanks are skipped");
    Require(NumberFromText(text + u'x') == value, "the number ends where the text stops being one");
    Require(NumberFromText(QString::number(value)) == value, "a written value reads back");
    Require(NumberFromText(CountText(value)) == value, "a written count reads back");

    qsizetype start = 0;
    while (start < text.size() && QStringLiteral(" \t\r\n").contains(text[start]))
        ++start;
    const QString rest = text.mid(start);
    if (rest.isEmpty() || !CouldStartNumber(rest[0]))
        Require(value == 0, "a text that does not begin with a number reads as 0");
    // Halves round to even either way, so a sign only turns the value round, short of the end
    // of the range.
    if (StartsWithDigit(rest) && value < 32767)
        Require(NumberFromText(u'-' + rest) == -value, "a minus sign turns the value round");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Each byte one character, where the number syntax is; then the same bytes as UTF-16,
    // where any character is.
    const auto *bytes = reinterpret_cast<const char *>(data);
    Check(QString::fromLatin1(bytes, qsizetype(size)));
    Check(Utf16Text(data, size));
    return 0;
}
