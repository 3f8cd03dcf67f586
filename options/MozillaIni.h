#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

// One "[Name]" section of an INI file as Firefox writes and reads its profiles.ini and
// installs.ini, with its "Key=Value" lines in file order.
struct IniSection
{
    QString Name;
    QList<std::pair<QString, QString>> Values;

    // The value of the last line for key, or a null text when there is none.
    QString Value(QStringView key) const;
};

// Mozilla's INI files have no escapes and no quoting: a value runs to the end of its line,
// commas and backslashes included, which is why QSettings cannot read them. Blanks around keys
// and values, comment lines (';' or '#') and lines outside a section are dropped; UTF-8, with
// or without a byte-order mark, any line ends.
QList<IniSection> ParseMozillaIni(const QByteArray &bytes);
