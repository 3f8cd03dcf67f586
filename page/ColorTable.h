#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

struct ColorEntry
{
    qint16 Index; // the position of the name in the options dialog's colour lists
    QStringView ColorName;
    QStringView Hex;
};

// The seventeen colours a page may use, in the order the options dialog lists them. Maroon and
// Green are our own shades, a brown and a forest green, not the CSS colours of those names.
inline constexpr std::array<ColorEntry, 17> ColorTable{{
    {0, u"Black", u"#000000"},
    {1, u"Maroon", u"#7C4400"},
    {2, u"Green", u"#228B22"},
    {3, u"Olive", u"#808000"},
    {4, u"Navy", u"#000080"},
    {5, u"Purple", u"#800080"},
    {6, u"Teal", u"#008080"},
    {7, u"Gray", u"#808080"},
    {8, u"Silver", u"#C0C0C0"},
    {9, u"Red", u"#FF0000"},
    {10, u"Lime", u"#00FF00"},
    {11, u"Orange", u"#FFA500"},
    {12, u"Yellow", u"#FFFF00"},
    {13, u"Blue", u"#0000FF"},
    {14, u"Fuchsia", u"#FF00FF"},
    {15, u"Aqua", u"#00FFFF"},
    {16, u"White", u"#FFFFFF"},
}};

// The colour's value in double quotes, ready to follow an attribute's "=": "\"#FFFFFF\"" for
// "White". A name not in the table, compared exactly, gives the two quotes alone.
QString ColorToHex(const QString &name);
// The name's row in ColorTable; no value for a name not in the table, compared exactly.
std::optional<qint16> ColorToIndex(const QString &name);
