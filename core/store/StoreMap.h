#pragma once

#include <QHash>
#include <QString>

#include <vector>

struct StoreKey
{
    QString Name;
    QString Text;
};

// A section's keys in the order they were first defined or written.
struct StoreSection
{
    QString Name; // empty for the keys outside any section
    std::vector<StoreKey> Keys;
};

// The store's texts by section and key, in order. Names are compared as the platform's store
// always compared them: ignoring case on Windows, exactly on Linux.
class StoreMap
{
public:
    explicit StoreMap(Qt::CaseSensitivity names);

    const QString *Find(const QString &section, const QString &key) const;
    // Replaces a key's text where it is, or adds the key (and its section) at the end.
    void Set(const QString &section, const QString &key, const QString &text);
    const std::vector<StoreSection> &Sections() const { return sections; }

private:
    QString Folded(const QString &name) const;

    Qt::CaseSensitivity names;
    std::vector<StoreSection> sections;
    QHash<QString, size_t> sectionAt; // by folded name
};
