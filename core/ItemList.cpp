#include "ItemList.h"

#include <algorithm>

ItemList::ItemList(QObject *parent) : QAbstractListModel(parent)
{
    collator.setCaseSensitivity(Qt::CaseInsensitive);
}

int ItemList::Insert(const QString &name, int slot)
{
    const auto place = std::upper_bound(
        entries.cbegin(), entries.cend(), name,
        [this](const QString &n, const Entry &e) { return collator.compare(n, e.Name) < 0; });
    const int position = int(place - entries.cbegin());
    beginInsertRows({}, position, position);
    entries.insert(position, Entry{name, slot});
    endInsertRows();
    return position;
}

void ItemList::Fill(QList<Entry> unsorted)
{
    // A stable sort keeps equal names in arrival order, as inserting them one by one would.
    // (Sort keys are no short cut: they ignore the collator's case setting in some locales.)
    std::stable_sort(unsorted.begin(), unsorted.end(), [this](const Entry &a, const Entry &b) {
        return collator.compare(a.Name, b.Name) < 0;
    });
    beginResetModel();
    entries = std::move(unsorted);
    endResetModel();
}

void ItemList::SetText(int position, const QString &name)
{
    entries[position].Name = name;
    const QModelIndex changed = index(position);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void ItemList::Remove(int position)
{
    beginRemoveRows({}, position, position);
    entries.removeAt(position);
    endRemoveRows();
}

void ItemList::Clear()
{
    beginResetModel();
    entries.clear();
    endResetModel();
}

int ItemList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Count();
}

QVariant ItemList::data(const QModelIndex &index, int role) const
{
    const bool shown = role == Qt::DisplayRole || role == Qt::AccessibleTextRole;
    if (!shown || !index.isValid() || index.row() >= Count())
        return {};
    return entries.at(index.row()).Name;
}
