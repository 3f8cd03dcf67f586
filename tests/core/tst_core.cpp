#include "ItemList.h"
#include "ItemTable.h"
#include "NumberText.h"
#include "ScratchUser.h"

#include <QTest>

class tst_core : public QObject
{
    Q_OBJECT

private slots:
    void findFreeSlot_data();
    void findFreeSlot();
    void findFreeSlotGrowsKeepingOldSlots();
    void findFreeSlotAtTheLimit();
    void anyInUse();
    void insertTakesSortedPlace_data();
    void insertTakesSortedPlace();
    void fillMatchesInsertingOneByOne();
    void setTextKeepsPosition();
    void numberFromText_data();
    void numberFromText();
};

// Table of `size` slots with the listed ones free and the rest in use.
static ItemTable TableWithFree(int size, const QList<int> &free)
{
    ItemTable table;
    table.Recreate(size);
    for (int n = 1; n <= size; ++n)
        table.Slot(n).InUse = !free.contains(n);
    return table;
}

void tst_core::findFreeSlot_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<int>>("free");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("sizeAfter");

    QTest::newRow("highest of several free") << 6 << QList<int>{2, 5} << 5 << 6;
    QTest::newRow("only the first free") << 6 << QList<int>{1} << 1 << 6;
    QTest::newRow("one free slot of one") << 1 << QList<int>{1} << 1 << 1;
    QTest::newRow("all in use grows by one") << 4 << QList<int>{} << 5 << 5;
    QTest::newRow("empty table grows to one") << 0 << QList<int>{} << 1 << 1;
}

void tst_core::findFreeSlot()
{
    QFETCH(int, size);
    QFETCH(QList<int>, free);
    QFETCH(int, expected);
    QFETCH(int, sizeAfter);

    ItemTable table = TableWithFree(size, free);
    QCOMPARE(table.FindFreeSlot(), expected);
    QCOMPARE(table.UpperBound(), sizeAfter);
    QVERIFY(!table.Slot(expected).InUse); // the caller marks it
}

void tst_core::findFreeSlotGrowsKeepingOldSlots()
{
    ItemTable table = TableWithFree(2, {});
    table.Slot(1).URL = QStringLiteral("http://a");
    table.Slot(2).Description = QStringLiteral("two");
    table.Slot(2).Priority = 3;

    QCOMPARE(table.FindFreeSlot(), 3);
    QCOMPARE(table.Slot(1).URL, QStringLiteral("http://a"));
    QCOMPARE(table.Slot(2).Description, QStringLiteral("two"));
    QCOMPARE(table.Slot(2).Priority, qint16(3));
    const ItemRecord &added = table.Slot(3);
    QVERIFY(!added.InUse);
    QVERIFY(added.URL.isEmpty() && added.Description.isEmpty());
    QCOMPARE(added.Priority, qint16(0));
}

void tst_core::findFreeSlotAtTheLimit()
{
    ItemTable table = TableWithFree(ItemTable::MaxSlots, {});
    QCOMPARE(table.FindFreeSlot(), 0);
    QCOMPARE(table.UpperBound(), ItemTable::MaxSlots);

    table.Slot(100).InUse = false;
    QCOMPARE(table.FindFreeSlot(), 100);
}

void tst_core::anyInUse()
{
    QVERIFY(!TableWithFree(0, {}).AnyInUse());
    QVERIFY(!TableWithFree(3, {1, 2, 3}).AnyInUse());
    QVERIFY(TableWithFree(3, {1, 2}).AnyInUse());
    QVERIFY(TableWithFree(3, {2, 3}).AnyInUse());
}

void tst_core::insertTakesSortedPlace_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");

    const QStringList abc{QStringLiteral("apple"), QStringLiteral("Banana"),
                          QStringLiteral("cherry")};
    QTest::newRow("into an empty list") << QStringList{} << QStringLiteral("x") << 0;
    QTest::newRow("first") << abc << QStringLiteral("Aardvark") << 0;
    QTest::newRow("case does not decide") << abc << QStringLiteral("BANANA split") << 2;
    QTest::newRow("lower case among capitals") << abc << QStringLiteral("banana") << 2;
    QTest::newRow("last") << abc << QStringLiteral("zebra") << 3;
    QTest::newRow("empty name first") << abc << QString() << 0;
    QTest::newRow("blanks count") << abc << QStringLiteral(" zebra") << 0;
    QTest::newRow("equal name goes after") << abc << QStringLiteral("apple") << 1;
}

void tst_core::insertTakesSortedPlace()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, name);
    QFETCH(int, position);

    ItemList list;
    for (const QString &n : existing)
        list.Insert(n, 1);
    QCOMPARE(list.Insert(name, 99), position);
    QCOMPARE(list.At(position).Name, name);
    QCOMPARE(list.At(position).Slot, 99);
}

void tst_core::fillMatchesInsertingOneByOne()
{
    const QStringList names{QStringLiteral("pear"),     QStringLiteral("Apple"),
                            QStringLiteral("pear"),     QStringLiteral("éclair"),
                            QStringLiteral("apple"),    QStringLiteral("10 things"),
                            QStringLiteral("2 things"), QString(),
                            QStringLiteral("Zed")};
    ItemList inserted;
    QList<ItemList::Entry> entries;
    for (int i = 0; i < names.size(); ++i) {
        inserted.Insert(names.at(i), i + 1);
        entries.append({names.at(i), i + 1});
    }
    ItemList filled;
    filled.Fill(entries);

    QCOMPARE(filled.Count(), inserted.Count());
    for (int i = 0; i < inserted.Count(); ++i) {
        QCOMPARE(filled.At(i).Name, inserted.At(i).Name);
        QCOMPARE(filled.At(i).Slot, inserted.At(i).Slot);
    }
}

void tst_core::setTextKeepsPosition()
{
    ItemList list;
    list.Insert(QStringLiteral("a"), 1);
    list.Insert(QStringLiteral("b"), 2);
    list.Insert(QStringLiteral("c"), 3);
    list.SetText(0, QStringLiteral("zzz"));
    QCOMPARE(list.At(0).Name, QStringLiteral("zzz"));
    QCOMPARE(list.At(0).Slot, 1);
    QCOMPARE(list.At(1).Name, QStringLiteral("b"));
}

void tst_core::numberFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << "3" << 3;
    QTest::newRow("leading blank") << " 12" << 12;
    QTest::newRow("leading blanks and tab") << "  \t7" << 7;
    QTest::newRow("negative") << "-4" << -4;
    QTest::newRow("plus sign") << "+5" << 5;
    QTest::newRow("trailing text") << "42abc" << 42;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks only") << "   " << 0;
    QTest::newRow("sign only") << "-" << 0;
    QTest::newRow("point only") << "." << 0;
    QTest::newRow("half rounds to even, down") << "2.5" << 2;
    QTest::newRow("half rounds to even, up") << "3.5" << 4;
    QTest::newRow("negative half") << "-2.5" << -2;
    QTest::newRow("above half") << "2.51" << 3;
    QTest::newRow("leading point") << ".6" << 1;
    QTest::newRow("exponent") << "1e3" << 1000;
    QTest::newRow("exponent without digits") << "7e" << 7;
    QTest::newRow("top of range") << "32767" << 32767;
    QTest::newRow("bottom of range") << "-32768" << -32768;
    QTest::newRow("just above range") << "32768" << 32767;
    QTest::newRow("half above top") << "32767.5" << 32767;
    QTest::newRow("far below range") << "-99999999999999999999" << -32768;
    QTest::newRow("beyond double") << "1e999" << 32767;
    QTest::newRow("below double") << "-1e999" << -32768;
    QTest::newRow("blank inside") << "1 2" << 1;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF13") << 0;
    QTest::newRow("blank after sign") << "- 3" << 0;
    QTest::newRow("hexadecimal") << "0x1A" << 0;
    QTest::newRow("infinity") << "inf" << 0;
    QTest::newRow("signed infinity") << "-infinity" << 0;
    QTest::newRow("nan") << "nan" << 0;
    QTest::newRow("decimal comma") << "2,5" << 2;
    QTest::newRow("lone surrogate after") << QStringLiteral("8") + QChar(0xDC00) << 8;
}

void tst_core::numberFromText()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(int(NumberFromText(text)), expected);
}

TAVREL_TEST_GUILESS_MAIN(tst_core)
#include "tst_core.moc"
