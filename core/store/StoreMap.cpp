#include "StoreMap.h"

StoreMap::StoreMap(Qt::CaseSensitivity names) : names(names) {}

QString StoreMap::Folded(const QString &name) const
{
    return names == Qt::CaseSensitive ? name : name.toCaseFolded();
}

const QString *StoreMap::Find(const QString &section, const QString &key) const
{
    const auto at = sectionAt.constFind(Folded(section));
    if (at == sectionAt.cend())
        return nullptr;
    for (const StoreKey &stored : sections[*at].Keys) {
        if (stored.Name.compare(key, names) == 0)
            return &stored.Text;
    }
    return nullptr;
}

void StoreMap::Set(const QString &section, const QString &key, const QString &text)
{
    const QString folded = Folded(section);
    auto at = sectionAt.constFind(folded);
    if (at == sectionAt.cend()) {
        at = sectionAt.insert(folded, sections.size());
        sections.push_back({section, {}});
    }
    std::vector<StoreKey> &keys = sections[*at].Keys;
    for (StoreKey &stored : keys) {
        if (stored.Name.compare(key, names) == 0) {
            stored.Text = text;
            return;
        }
    }
    keys.push_back({key, text});
}
