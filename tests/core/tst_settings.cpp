#include "IniTexts.h"
#include "ItemList.h"
#include "ItemTable.h"
#include "PageOptions.h"
#include "Persistence.h"
#include "SettingsStore.h"
#include "TestSupport.h"

#ifdef Q_OS_WIN
#include "ScratchRegistry.h"

#include <array>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

class tst_settings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void textsReadBackAsWritten_data();
    void textsReadBackAsWritten();
    void handTypedTexts_data();
    void handTypedTexts();
    void handTypedTextsAsQtReadsThem_data();
    void handTypedTextsAsQtReadsThem();
    void manyHandTypedListsLoadQuickly();
    void missingKeysGiveDefaults();
    void firstRunLayout();
    void loadThreeItems();
    void storedCountsOddities_data();
    void storedCountsOddities();
    void deleteThenSave();
    void notRunBeforeKeepsStrays();
    void oldStartPageSurvivesClose();
    void failedSaveKeepsOldStore_data();
    void failedSaveKeepsOldStore();
    void unsyncedChangesAreDropped();
    void leftoverSaves_data();
    void leftoverSaves();
    void quickSavesOfOneSizeReadBack();
    void earlierProgramsListIsTakenOver();
};

void tst_settings::init()
{
    QDir(QFileInfo(SettingsStore::FilePath()).absolutePath()).removeRecursively();
}

void tst_settings::textsReadBackAsWritten_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("text");

    const QString item = QStringLiteral(" 1");
    QTest::newRow("leading and trailing blanks") << item << QStringLiteral("  milk  ");
    QTest::newRow("empty") << item << QString();
    QTest::newRow("comma") << item << QStringLiteral("milk, eggs,bread");
    QTest::newRow("quotes") << item << QStringLiteral("say \"hi\" 'there'");
    QTest::newRow("backslashes") << item << QStringLiteral("C:\\dir\\ \\\\ \\n");
    QTest::newRow("line breaks") << item << QStringLiteral("one\r\ntwo\nthree\r");
    QTest::newRow("tab") << item << QStringLiteral("a\tb");
    QTest::newRow("unicode") << item << QStringLiteral("café 東京 😀");
    QTest::newRow("at sign first") << item << QStringLiteral("@Variant(x)");
    QTest::newRow("ini syntax") << item << QStringLiteral("[Main]\nkey=value ; # %20");
    QTest::newRow("blank only") << item << QStringLiteral(" ");
    QTest::newRow("option section") << QStringLiteral("Main") << QStringLiteral("sans-serif");
    QTest::newRow("long") << item << QString(5000, QLatin1Char('x'));
}

void tst_settings::textsReadBackAsWritten()
{
    QFETCH(QString, section);
    QFETCH(QString, text);
    {
        SettingsStore store;
        store.WriteSetting(section, QStringLiteral("Name"), text);
        QVERIFY(store.Sync());
    }
    const SettingsStore store;
    QCOMPARE(store.ReadSetting(section, QStringLiteral("Name"), QStringLiteral("default")), text);
}

void tst_settings::handTypedTexts_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("Name=Buy milk") << "Buy milk";
    QTest::newRow("bare comma") << QByteArray("Name=Milk, eggs") << "Milk, eggs";
    QTest::newRow("bare commas, no blanks") << QByteArray("Name=a,b,,c") << "a,b,,c";
    QTest::newRow("quoted comma") << QByteArray("Name=\"Milk, eggs\"") << "Milk, eggs";
    QTest::newRow("blanks around equals") << QByteArray("Name = x ") << "x";
    QTest::newRow("empty") << QByteArray("Name=") << "";
    QTest::newRow("utf-8") << QByteArray("Name=Caf\xc3\xa9, th\xc3\xa9") << "Café, thé";
}

void tst_settings::handTypedTexts()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    QVERIFY(WriteStore("[Main]\nNumEntries=1\n\n[%201]\n" + line + "\nURL=\n"));
    const SettingsStore store;
    QCOMPARE(store.ReadSetting(QStringLiteral(" 1"), QStringLiteral("Name")), expected);
}

void tst_settings::handTypedTextsAsQtReadsThem_data()
{
    QTest::addColumn<QByteArray>("file");

    // Each list is typed with ", " between its items, so that Qt's items joined by ", " give
    // the text as typed.
    QTest::newRow("comment after a header")
        << QByteArray("[Main]\nA=1, 2\n[Other] ; note\nA=3, 4\n");
    QTest::newRow("blanks inside the brackets") << QByteArray("[ Main ]\nA=1, 2\n");
    QTest::newRow("text after the brackets") << QByteArray("[Main]x\nA=1, 2\n");
    QTest::newRow("no closing bracket") << QByteArray("[Main\nA=1, 2\n");
    QTest::newRow("lone CR ends lines") << QByteArray("[Main]\rA=1, 2\rB=3, 4\r");
    QTest::newRow("comments and indents")
        << QByteArray("; top\n  [Main]\n\t; c, d\n  A = 1, 2  \n;x=5, 6\n");
    QTest::newRow("comment after a value") << QByteArray("[Main]\nA=1, 2 ; note, more\n");
    QTest::newRow("quoted item") << QByteArray("[Main]\nA=\"x, y\", z\n");
    QTest::newRow("escapes") << QByteArray("[Main]\nA=tab\\there, new\\nline, \\x41\\101\n");
    QTest::newRow("line continued by a backslash")
        << QByteArray("[Main]\nA=one, \\\r\ntwo\nB=3, 4\n");
    QTest::newRow("quote open over a line break") << QByteArray("[Main]\nA=\"a\nb\", c\nB=3, 4\n");
    QTest::newRow("quote in a header runs on") << QByteArray("[Main]\nA=1, 2\n[x\"y\n]\nA=3, 4\n");
    QTest::newRow("escaped names") << QByteArray("[%20%55]\nN%61me=1, 2\nK%U00e9y=3, 4\n");
    QTest::newRow("section given twice")
        << QByteArray("[Main]\nA=1, 2\nB=5, 6\n[Other]\nA=x, y\n[Main]\nA=3, 4\n");
    QTest::newRow("UTF-8 after a byte-order mark")
        << QByteArray("\xef\xbb\xbf[Main]\nA=Caf\xc3\xa9, th\xc3\xa9\n");
    QTest::newRow("keys outside sections") << QByteArray("A=1, 2\n[General]\nB=3, 4\n");
    QTest::newRow("byte-order mark before a first key") << QByteArray("\xef\xbb\xbf A=1, 2\n");
    QTest::newRow("a section named General") << QByteArray("[%General]\nA=1, 2\n");
    QTest::newRow("empty first item") << QByteArray("[Main]\nA=, x\n");
    QTest::newRow("item of another type") << QByteArray("[Main]\nA=@ByteArray(x), y\n");
    QTest::newRow("empty section name") << QByteArray("[]\nA=1, 2\n[Main]\nB=3, 4\n");
}

// The store's own reading finds the keys that Qt finds; where Qt reads a hand-typed value as a
// list, the store gives the text that Qt's items come from, taken from the same line.
void tst_settings::handTypedTextsAsQtReadsThem()
{
    QFETCH(QByteArray, file);
    QVERIFY(WriteStore(file));
    QSettings qt(SettingsStore::FilePath(), QSettings::IniFormat);
    QStringList paths = qt.allKeys();
    QVERIFY(!paths.isEmpty());
    QStringList ours;
    for (const IniText &text : ReadIniTexts(file))
        ours.append(text.Group + text.Key);
    ours.removeDuplicates();
    ours.sort();
    paths.sort();
    QCOMPARE(ours, paths);

    const SettingsStore store;
    for (const QString &path : paths) {
        const QVariant value = qt.value(path);
        if (!value.isValid())
            continue; // a key that Qt cannot look up either
        QString expected = value.toString();
        if (value.typeId() == QMetaType::QStringList)
            expected = value.toStringList().join(u", ");
        else if (value.typeId() == QMetaType::QVariantList)
            expected = QStringLiteral("@ByteArray(x), y");
        const qsizetype slash = path.indexOf(u'/');
        const QString section = slash < 0 ? QString() : path.left(slash);
        QCOMPARE(store.ReadSetting(section, path.mid(slash + 1), QStringLiteral("missing")),
                 expected);
    }
}

// Each such value read the whole store file again: 16,000 of them took minutes.
void tst_settings::manyHandTypedListsLoadQuickly()
{
    constexpr int count = 16000;
    QByteArray file = "[Main]\nNumEntries=" + QByteArray::number(count) + '\n';
    for (int i = 1; i <= count; ++i)
        file += "[%20" + QByteArray::number(i) + "]\nName=n\nDescription=milk, eggs, bread\n";
    QVERIFY(WriteStore(file));

    QElapsedTimer timer;
    timer.start();
    ItemTable table;
    ItemList list;
    QCOMPARE(LoadItems(SettingsStore(), table, list), count);
    QCOMPARE(table.Slot(count).Description, QStringLiteral("milk, eggs, bread"));
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed()) + " ms"));
}

void tst_settings::missingKeysGiveDefaults()
{
    QVERIFY(WriteStore("[Main]\nHeaderSize=3\n"));
    const SettingsStore store;
    QCOMPARE(store.ReadSetting(QStringLiteral("Main"), QStringLiteral("HeaderSize"),
                               QStringLiteral("5")),
             QStringLiteral("3"));
    QCOMPARE(
        store.ReadSetting(QStringLiteral("Main"), QStringLiteral("BodySize"), QStringLiteral("2")),
        QStringLiteral("2"));
    QCOMPARE(store.ReadSetting(QStringLiteral(" 9"), QStringLiteral("Name")), QString());

    PageOptions options;
    LoadOptions(store, options);
    QCOMPARE(options.HeaderSize, QStringLiteral("3"));
    QCOMPARE(options.RunBefore, QStringLiteral("No"));
    QCOMPARE(options.FontStyle, QStringLiteral("sans-serif"));
    QCOMPARE(options.HomeInNetscape, qint16(1));
    QCOMPARE(options.OldIEHome, QString());
}

void tst_settings::firstRunLayout()
{
    const PageOptions options;
    ItemTable table;
    table.Recreate(1);
    const ItemList list;
    QVERIFY(SaveAll(options, table, list));

    QSettings written(SettingsStore::FilePath(), QSettings::IniFormat);
    QCOMPARE(written.childGroups(), QStringList{QStringLiteral("Main")});
    written.beginGroup(QStringLiteral("Main"));
    const QStringList expected{
        QStringLiteral("BGColor"),         QStringLiteral("BodyColor"),
        QStringLiteral("BodySize"),        QStringLiteral("Font Style"),
        QStringLiteral("GenerateOnClose"), QStringLiteral("HeaderColor"),
        QStringLiteral("HeaderSize"),      QStringLiteral("HomeInNetscape"),
        QStringLiteral("LinkColor"),       QStringLiteral("NumEntries"),
        QStringLiteral("RunBefore"),       QStringLiteral("VisitedLinkColor")};
    QStringList keys = written.childKeys();
    keys.sort();
    QCOMPARE(keys, expected);
    const QList<std::pair<const char *, const char *>> values{
        {"RunBefore", "Yes"},         {"GenerateOnClose", "True"},   {"HeaderColor", "Black"},
        {"HeaderSize", "5"},          {"BodyColor", "Black"},        {"BodySize", "2"},
        {"LinkColor", "Blue"},        {"VisitedLinkColor", "Green"}, {"BGColor", "White"},
        {"Font Style", "sans-serif"}, {"HomeInNetscape", "1"},       {"NumEntries", " 0"}};
    for (const auto &[key, value] : values)
        QCOMPARE(written.value(QString::fromLatin1(key)).toString(), QString::fromLatin1(value));
}

void tst_settings::loadThreeItems()
{
    QVERIFY(
        WriteStore("[Main]\nRunBefore=Yes\nNumEntries=\" 3\"\n\n"
                   "[%201]\nName=pears\nDescription=ripe\nURL=http://p\nPriority=3\n\n"
                   "[%202]\nName=Apples\nDescription=\nURL=\nPriority=1\n\n"
                   "[%203]\nName=melon\nDescription=\"two\\nlines\"\nURL=http://m\nPriority=7\n"));
    const SettingsStore store;
    ItemTable table;
    ItemList list;
    QCOMPARE(LoadItems(store, table, list), 3);

    QCOMPARE(table.UpperBound(), 3);
    QCOMPARE(list.Count(), 3);
    const QList<std::pair<QString, int>> order{
        {QStringLiteral("Apples"), 2}, {QStringLiteral("melon"), 3}, {QStringLiteral("pears"), 1}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(list.At(i).Name, order.at(i).first);
        QCOMPARE(list.At(i).Slot, order.at(i).second);
        QVERIFY(table.Slot(i + 1).InUse);
    }
    QCOMPARE(table.Slot(1).URL, QStringLiteral("http://p"));
    QCOMPARE(table.Slot(3).Description, QStringLiteral("two\nlines"));
    QCOMPARE(table.Slot(3).Priority, qint16(7));

    // Saved back in list order, renumbered from 1.
    PageOptions options;
    options.RunBefore = QStringLiteral("Yes");
    QVERIFY(SaveAll(options, table, list));
    const SettingsStore saved;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(saved.ReadSetting(u' ' + QString::number(i + 1), QStringLiteral("Name")),
                 order.at(i).first);
    }
    QCOMPARE(saved.ReadSetting(QStringLiteral(" 1"), QStringLiteral("Priority")),
             QStringLiteral("1"));
    QCOMPARE(saved.ReadSetting(QStringLiteral(" 2"), QStringLiteral("Priority")),
             QStringLiteral("7"));
}

void tst_settings::storedCountsOddities_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<int>("loaded");
    QTest::addColumn<int>("tableSize");

    QTest::newRow("nothing stored") << QByteArray() << 0 << 1;
    QTest::newRow("count not a number") << QByteArray("[Main]\nNumEntries=abc\n") << 0 << 1;
    QTest::newRow("negative count") << QByteArray("[Main]\nNumEntries=-3\n") << 0 << 1;
    QTest::newRow("count without sections") << QByteArray("[Main]\nNumEntries=\" 2\"\n") << 2 << 2;
    QTest::newRow("count beyond 16 bits")
        << QByteArray("[Main]\nNumEntries=99999\n[%201]\nName=a\n") << 32767 << 32767;
    QTest::newRow("smaller count ignores extra sections")
        << QByteArray("[Main]\nNumEntries=1\n[%201]\nName=a\n[%202]\nName=b\n") << 1 << 1;
}

void tst_settings::storedCountsOddities()
{
    QFETCH(QByteArray, store);
    QFETCH(int, loaded);
    QFETCH(int, tableSize);
    QVERIFY(WriteStore(store));

    ItemTable table;
    ItemList list;
    QCOMPARE(LoadItems(SettingsStore(), table, list), loaded);
    QCOMPARE(list.Count(), loaded);
    QCOMPARE(table.UpperBound(), tableSize);
    QCOMPARE(table.AnyInUse(), loaded > 0);
    if (loaded == 2) {
        QCOMPARE(list.At(0).Name, QString());
        QCOMPARE(table.Slot(1).Priority, qint16(0));
    }
}

void tst_settings::deleteThenSave()
{
    QVERIFY(WriteStore("[Main]\nRunBefore=Yes\nNumEntries=3\n"
                       "[%201]\nName=a\nPriority=1\n[%202]\nName=b\nPriority=2\n"
                       "[%203]\nName=c\nPriority=3\n"));
    PageOptions options;
    ItemTable table;
    ItemList list;
    {
        const SettingsStore store;
        LoadOptions(store, options);
        LoadItems(store, table, list);
    }
    table.Slot(list.At(1).Slot).InUse = false;
    list.Remove(1);
    QVERIFY(SaveAll(options, table, list));

    QSettings written(SettingsStore::FilePath(), QSettings::IniFormat);
    QCOMPARE(written.value(QStringLiteral("Main/NumEntries")).toString(), QStringLiteral(" 2"));
    QCOMPARE(written.value(QStringLiteral(" 2/Name")).toString(), QStringLiteral("c"));
    QCOMPARE(written.value(QStringLiteral(" 2/Priority")).toString(), QStringLiteral("3"));
    QVERIFY(!written.childGroups().contains(QStringLiteral(" 3")));
}

void tst_settings::notRunBeforeKeepsStrays()
{
    QVERIFY(WriteStore("[General]\nloose=1\n[Main]\nRunBefore=yes\nStray=kept\nsub\\key=deep\n"
                       "[%205]\nName=old\n"));
    PageOptions options;
    LoadOptions(SettingsStore(), options);
    ItemTable table;
    table.Recreate(1);
    QVERIFY(SaveAll(options, table, ItemList()));

    const SettingsStore saved;
    QCOMPARE(saved.ReadSetting(QStringLiteral("Main"), QStringLiteral("Stray")),
             QStringLiteral("kept"));
    QCOMPARE(saved.ReadSetting(QStringLiteral(" 5"), QStringLiteral("Name")),
             QStringLiteral("old"));
    QCOMPARE(saved.ReadSetting(QStringLiteral("Main"), QStringLiteral("sub/key")),
             QStringLiteral("deep"));
    QSettings raw(SettingsStore::FilePath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("loose")).toString(), QStringLiteral("1"));
    QCOMPARE(saved.ReadSetting(QStringLiteral("Main"), QStringLiteral("RunBefore")),
             QStringLiteral("Yes"));
}

void tst_settings::oldStartPageSurvivesClose()
{
    QVERIFY(WriteStore("[Main]\nRunBefore=Yes\nOldIEHome=http://before.example/\n"));
    PageOptions options;
    LoadOptions(SettingsStore(), options);
    ItemTable table;
    table.Recreate(1);
    QVERIFY(SaveAll(options, table, ItemList()));
    QCOMPARE(SettingsStore().ReadSetting(QStringLiteral("Main"), QStringLiteral("OldIEHome")),
             QStringLiteral("http://before.example/"));
}

void tst_settings::failedSaveKeepsOldStore_data()
{
    QTest::addColumn<bool>("inLastWrite");
    QTest::newRow("the disk fills early") << false;
    // Qt reports a short last write as success and would put the cut file in place.
    QTest::newRow("the disk fills in the last write") << true;
}

void tst_settings::failedSaveKeepsOldStore()
{
    QFETCH(bool, inLastWrite);
    if (OnWindows)
        QSKIP("no per-process file-size limit on Windows");
    PageOptions options;
    options.RunBefore = QStringLiteral("Yes");
    ItemTable table;
    ItemList list;
    table.Recreate(2000);
    for (int i = 1; i <= 2000; ++i) {
        table.Slot(i).InUse = true;
        list.Insert(QStringLiteral("item %1").arg(i), i);
    }
    QVERIFY(SaveAll(options, table, list));
    const qint64 wholeSize = QFileInfo(SettingsStore::FilePath()).size();

    QVERIFY(WriteStore("[Main]\nRunBefore=Yes\nNumEntries=1\n[%201]\nName=precious\n"));
    const QByteArray before = ReadFileBytes(SettingsStore::FilePath());
    bool saved = true;
    {
        const FileSizeLimit fullDisk(inLastWrite ? wholeSize - 20 : 4096);
        QVERIFY(fullDisk.Active());
        saved = SaveAll(options, table, list);
    }

    QVERIFY(!saved);
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), before);
    const QStringList leftovers =
        QDir(QFileInfo(SettingsStore::FilePath()).absolutePath()).entryList(QDir::Files);
    QCOMPARE(leftovers, QStringList{QFileInfo(SettingsStore::FilePath()).fileName()});
}

void tst_settings::unsyncedChangesAreDropped()
{
    QVERIFY(WriteStore("[Main]\nHeaderSize=3\n"));
    const QByteArray before = ReadFileBytes(SettingsStore::FilePath());
    {
        SettingsStore store;
        store.WriteSetting(QStringLiteral("Main"), QStringLiteral("HeaderSize"),
                           QStringLiteral("7"));
        QCOMPARE(store.ReadSetting(QStringLiteral("Main"), QStringLiteral("HeaderSize")),
                 QStringLiteral("7"));
    }
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), before);
    const QStringList files =
        QDir(QFileInfo(SettingsStore::FilePath()).absolutePath()).entryList(QDir::Files);
    QCOMPARE(files, QStringList{QFileInfo(SettingsStore::FilePath()).fileName()});
}

void tst_settings::leftoverSaves_data()
{
    QTest::addColumn<QString>("suffix"); // after the store's own name and a dot
    QTest::addColumn<bool>("removed");

    // No process has an id this high; this one runs, and never gets to a millionth save.
    QTest::newRow("an ended process's save") << QStringLiteral("2147483646-1.saving") << true;
    QTest::newRow("the lock Qt held while writing it")
        << QStringLiteral("2147483646-1.saving.lock") << true;
    QTest::newRow("Qt's temporary copy of it")
        << QStringLiteral("2147483646-1.saving.DnHdkF") << true;
    QTest::newRow("a running process's save")
        << QStringLiteral("%1-1000000.saving").arg(QCoreApplication::applicationPid()) << false;
    QTest::newRow("not a save's name") << QStringLiteral("backup.saving") << false;
}

void tst_settings::leftoverSaves()
{
    QFETCH(QString, suffix);
    QFETCH(bool, removed);
    const QString leftover = SettingsStore::FilePath() + u'.' + suffix;
    QVERIFY(WriteFileBytes(leftover, "[Main]\nNumEntries=1\n"));

    SettingsStore store;
    store.WriteSetting(QStringLiteral("Main"), QStringLiteral("NumEntries"), QStringLiteral(" 0"));
    QVERIFY(store.Sync());
    QCOMPARE(QFileInfo::exists(leftover), !removed);
}

// Qt reads a settings file again only when its size or its time has changed since it last read
// it, and the time counts in milliseconds.
void tst_settings::quickSavesOfOneSizeReadBack()
{
    for (int i = 0; i < 50; ++i) {
        const QString text = QString::number(i % 10);
        SettingsStore store;
        store.WriteSetting(QStringLiteral("Main"), QStringLiteral("HeaderSize"), text);
        QVERIFY(store.Sync());
        QCOMPARE(SettingsStore().ReadSetting(QStringLiteral("Main"), QStringLiteral("HeaderSize")),
                 text);
    }
}

// A first start on Windows goes on from the list an earlier program kept in the settings area
// for applications, and leaves that area as it was.
void tst_settings::earlierProgramsListIsTakenOver()
{
#ifndef Q_OS_WIN
    QSKIP("Only Windows has a settings area an earlier program kept its list in");
#else
    const ScratchRegistry registry;
    const QString area = QStringLiteral("Software\\VB and VBA Program Settings\\Tavrel\\");
    const QList<std::array<const char *, 3>> values{
        {"Main", "RunBefore", "Yes"}, {"Main", "NumEntries", " 2"}, {" 1", "Name", "pears"},
        {" 1", "Priority", "3"},      {" 2", "Name", "Apples"},     {" 2", "Priority", "1"}};
    for (const auto &[section, name, value] : values) {
        QVERIFY(RegWriteString(RegRoot::CurrentUser, area + QLatin1String(section),
                               QLatin1String(name), QLatin1String(value)));
    }
    const auto areaNow = [&area] {
        QSettings settings(QStringLiteral("HKEY_CURRENT_USER\\") + area, QSettings::NativeFormat);
        QStringList texts;
        for (const QString &key : settings.allKeys())
            texts << key + u'=' + settings.value(key).toString();
        return texts;
    };
    const QStringList before = areaNow();
    QCOMPARE(before.size(), values.size());
    QVERIFY(WriteStore({}));

    PageOptions options;
    ItemTable table;
    ItemList list;
    {
        const SettingsStore store;
        LoadOptions(store, options);
        QCOMPARE(LoadItems(store, table, list), 2);
    }
    QCOMPARE(list.At(0).Name, QStringLiteral("Apples"));
    QVERIFY(SaveAll(options, table, list));
    QCOMPARE(StoredText(QStringLiteral(" 1/Name")), QStringLiteral("Apples"));
    QCOMPARE(StoredText(QStringLiteral(" 2/Name")), QStringLiteral("pears"));
    QCOMPARE(areaNow(), before);

    // Once the store is there, it is the list, whatever the area holds.
    QVERIFY(WriteStore("[Main]\nRunBefore=Yes\nNumEntries=0\n"));
    ItemTable ownTable;
    ItemList ownList;
    QCOMPARE(LoadItems(SettingsStore(), ownTable, ownList), 0);
#endif
}

QTEST_GUILESS_MAIN(tst_settings)
#include "tst_settings.moc"
