#pragma once

#include <QAbstractListModel>
#include <QCollator>
#include <QList>
#include <QString>

// The entries of the main window's list: each holds an item's name (its only copy) and the
// number of the item-table slot with the rest of the item. New entries go in at their sorted
// place; changing an entry's text leaves it where it stands until the list is filled anew.
class ItemList : public QAbstractListModel
{
    Q_OBJECT

public:
    struct Entry
    {
        QString Name;
        int Slot = 0;
    };

    explicit ItemList(QObject *parent = nullptr);

    int Count() const { return int(entries.size()); }
    const Entry &At(int position) const { return entries.at(position); }

    // Inserts after any entries that sort equal, and answers the position taken.
    int Insert(const QString &name, int slot);
    // Fills the list as a series of Insert calls would, in one step.
    void Fill(QList<Entry> unsorted);
    void SetText(int position, const QString &name);
    void Remove(int position);
    void Clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QCollator collator;
    QList<Entry> entries;
};
