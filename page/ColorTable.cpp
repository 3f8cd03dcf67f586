#include "ColorTable.h"

#include <algorithm>

namespace {
// Names are stored and compared as the user chose them: no trimming, no folding of case.
const ColorEntry *Find(const QString &name)
{
    const auto row = std::find_if(ColorTable.cbegin(), ColorTable.cend(),
                                  [&name](const ColorEntry &e) { return e.ColorName == name; });
    return row == ColorTable.cend() ? nullptr : &*row;
}
} // namespace

QString ColorToHex(const QString &name)
{
    const ColorEntry *row = Find(name);
    const QStringView hex = row ? row->Hex : QStringView();
    return u'"' + hex.toString() + u'"';
}

std::optional<qint16> ColorToIndex(const QString &name)
{
    if (const ColorEntry *row = Find(name))
        return row->Index;
    return std::nullopt;
}
