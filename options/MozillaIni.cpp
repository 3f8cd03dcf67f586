#include "MozillaIni.h"

QString IniSection::Value(QStringView key) const
{
    for (auto it = Values.crbegin(); it != Values.crend(); ++it) {
        if (it->first == key)
            return it->second;
    }
    return {};
}

QList<IniSection> ParseMozillaIni(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');

    QList<IniSection> sections;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            // A broken section line still ends the section above, so that its keys are not
            // taken for that section's.
            const qsizetype end = line.indexOf(u']');
            sections.append({end > 1 ? line.mid(1, end - 1).toString() : QString(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || sections.isEmpty())
            continue;
        sections.last().Values.append(
            {line.left(equals).trimmed().toString(), line.mid(equals + 1).trimmed().toString()});
    }
    return sections;
}
