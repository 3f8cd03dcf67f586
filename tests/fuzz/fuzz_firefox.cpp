// Firefox's files on any bytes:
// - a string written as a literal reads back as written, whatever its code units; one holding
//   a NUL, which Firefox's strings cannot, reads back as no string;
// - our lines added to any user.js read back, and taking them out again leaves the file as it
//   was without them;
// - an INI file read, written out plainly and read again gives the same sections.
#include "FuzzSupport.h"
#include "MozillaIni.h"
#include "UserPrefs.h"

namespace {

const QString HomePage = QStringLiteral("browser.startup.homepage");

QByteArray Written(const QList<IniSection> &sections)
{
    QByteArray text;
    for (const IniSection &section : sections) {
        text += '[' + section.Name.toUtf8() + "]\n";
        for (const auto &[key, value] : section.Values)
            text += key.toUtf8() + '=' + value.toUtf8() + '\n';
    }
    return text;
}

bool SameSections(const QList<IniSection> &a, const QList<IniSection> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].Name != b[i].Name || a[i].Values != b[i].Values)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString value = Utf16Text(data, size);

    const QList<UserPref> literal = ParseUserPrefs(OurLine(HomePage, JsStringLiteral(value)));
    const std::optional<QString> readBack =
        value.contains(QChar(0)) ? std::nullopt : std::optional<QString>(value);
    Require(readBack ? literal.size() == 1 && literal.first().Name == HomePage &&
                           literal.first().Text == readBack
                     : literal.isEmpty(),
            "a string literal reads back as written");

    const QByteArray withOurs = WithOurLines(bytes, {OurLine(HomePage, JsStringLiteral(value))});
    Require(OurStringPref(withOurs, HomePage) == readBack, "our line reads back");
    Require(WithOurLines(withOurs, {}) == WithOurLines(bytes, {}),
            "taking our lines out leaves the rest as it was");
    Require(withOurs.startsWith(WithOurLines(bytes, {})), "our lines come last");
    ParseUserPrefs(QString::fromUtf8(bytes));

    const QList<IniSection> sections = ParseMozillaIni(bytes);
    Require(SameSections(ParseMozillaIni(Written(sections)), sections),
            "an INI file written plainly reads back the same");
    return 0;
}
