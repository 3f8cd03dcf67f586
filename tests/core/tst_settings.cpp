#include "ItemList.h"
#include "ItemTable.h"
#include "PageOptions.h"
#include "Persistence.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "StoreMap.h"
#include "StoreText.h"
#include "TestSupport.h"

#ifdef Q_OS_WIN
#include "ScratchRegistry.h"

#include <array>
#include <windows.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QThread>

#include <cerrno>
#include <cstring>

namespace {

const QString Main = QStringLiteral("Main");

QString StoreFolderPath()
{
    return QFileInfo(SettingsStore::FilePath()).absolutePath();
}

// What lies beside the store.
QStringList Beside()
{
    QStringList names =
        QDir(StoreFolderPath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.removeOne(QFileInfo(SettingsStore::FilePath()).fileName());
    return names;
}

// Every key Qt finds in the file, with the text it reads.
QMap<QString, QString> AsQtReadsIt(const QString &path)
{
    QSettings qt(FreshCopyForQt(path), QSettings::IniFormat);
    QMap<QString, QString> texts;
    for (const QString &key : qt.allKeys())
        texts.insert(key, qt.value(key).toString());
    return texts;
}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

#ifdef Q_OS_WIN
// A second process that opens the file as a virus scanner may, without sharing its deletion,
// and holds it for the given time.
const char HoldFile[] = "--hold-file";

int HoldFileFor(const QString &path, int ms)
{
    const HANDLE file = CreateFileW(
        reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ,
        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    std::puts("holding");
    std::fflush(stdout);
    Sleep(DWORD(ms));
    CloseHandle(file);
    return 0;
}
#endif

} // namespace

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
    void namesCaseAsThePlatformHadIt();
    void storesOfVersion100_data();
    void storesOfVersion100();
    void loadThenSave_data();
    void loadThenSave();
    void storedCountsOddities_data();
    void storedCountsOddities();
    void failedSaveSaysWhy_data();
    void failedSaveSaysWhy();
    void unsyncedChangesAreDropped();
    void leftoverSaves_data();
    void leftoverSaves();
    void heldStoreIsWaitedFor_data();
    void heldStoreIsWaitedFor();
    void earlierProgramsListIsTakenOver();
};

void tst_settings::init()
{
    QFile::remove(StoreFolderPath()); // a file in the folder's place
    QDir(StoreFolderPath()).removeRecursively();
}

void tst_settings::textsReadBackAsWritten_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");

    const QString item = QStringLiteral(" 1");
    const QString name = QStringLiteral("Name");
    QTest::newRow("leading and trailing blanks") << item << name << QStringLiteral("  milk  ");
    QTest::newRow("empty") << item << name << QString();
    QTest::newRow("comma") << item << name << QStringLiteral("milk, eggs,bread");
    QTest::newRow("semicolon and equals") << item << name << QStringLiteral("a;b=c");
    QTest::newRow("quotes") << item << name << QStringLiteral("say \"hi\" 'there'");
    QTest::newRow("backslashes") << item << name << QStringLiteral("C:\\dir\\ \\\\ \\n");
    QTest::newRow("line breaks") << item << name << QStringLiteral("one\r\ntwo\nthree\r");
    QTest::newRow("tab first") << item << name << QStringLiteral("\ta\tb");
    QTest::newRow("control characters and hex digits after them") << item << name
                                                                  << QStringLiteral("\x01"
                                                                                    "a\x1f"
                                                                                    "7\a\b\f\v") +
                                                                         QChar(0) + u'7';
    QTest::newRow("unicode") << item << name << QStringLiteral("café 東京 😀");
    QTest::newRow("byte-order mark first") << item << name << QStringLiteral("\uFEFFx\uFEFF");
    QTest::newRow("lone surrogates")
        << item << name << QString(QChar(0xD800)) + u'a' + QChar(0xDC00) + u'1';
    QTest::newRow("at sign first") << item << name << QStringLiteral("@Variant(x)");
    QTest::newRow("two at signs first") << item << name << QStringLiteral("@@home");
    QTest::newRow("Qt's mark of a text") << item << name << QStringLiteral("@String(x)");
    QTest::newRow("ini syntax") << item << name << QStringLiteral("[Main]\nkey=value ; # %20");
    QTest::newRow("blank only") << item << name << QStringLiteral(" ");
    QTest::newRow("long") << item << name << QString(5000, QLatin1Char('x'));
    QTest::newRow("key with a blank")
        << Main << QStringLiteral("Font Style") << QStringLiteral("sans-serif");
    QTest::newRow("names of any characters")
        << QStringLiteral("%20 [x]=;é東") << QStringLiteral("k/e%y=;é") << QStringLiteral("v");
    QTest::newRow("section named General")
        << QStringLiteral("General") << name << QStringLiteral("g");
    QTest::newRow("keys outside sections") << QString() << name << QStringLiteral("r");
}

// Read back by the store, and by QSettings, which read every store until now.
void tst_settings::textsReadBackAsWritten()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, text);
    {
        SettingsStore store;
        store.WriteSetting(section, key, text);
        store.WriteSetting(Main, QStringLiteral("After"), QStringLiteral("a"));
        QVERIFY(store.Sync());
    }
    const SettingsStore store;
    QCOMPARE(store.ReadSetting(section, key, QStringLiteral("default")), text);
    QCOMPARE(store.ReadSetting(Main, QStringLiteral("After")), QStringLiteral("a"));

    QSettings qt(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat);
    const QString path = section.isEmpty() ? key : section + u'/' + key;
    const QVariant value = qt.value(path);
    QCOMPARE(value.typeId(), QMetaType::QString);
    QCOMPARE(value.toString(), text);
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
    QTest::newRow("leading at doubled") << QByteArray("Name=@@home") << "@home";
    QTest::newRow("single leading at") << QByteArray("Name=@home") << "@home";
    QTest::newRow("text Qt marked")
        << QByteArray("Name=@String(a\\0\\x37)") << QStringLiteral("a") + QChar(0) + u'7';
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
    QTest::newRow("at signs") << QByteArray("[Main]\nA=@@x, y\nB=\"@@z\"\n");
    QTest::newRow("empty section name") << QByteArray("A=1, 2\n[]\nA=3, 4\n[Main]\nB=3, 4\n");
    QTest::newRow("section named by a byte-order mark")
        << QByteArray("A=1, 2\n[\xef\xbb\xbf]\nA=3, 4\n");
}

// The store finds the keys that Qt finds; where Qt reads a hand-typed value as a list, the store
// gives the text that Qt's items come from, taken from the same line.
void tst_settings::handTypedTextsAsQtReadsThem()
{
    QFETCH(QByteArray, file);
    QVERIFY(WriteStore(file));
    QSettings qt(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat);
    // Qt names the keys under "[]" "/key", and cannot look them up; neither does the store.
    QStringList paths = qt.allKeys().filter(QRegularExpression(QStringLiteral("^[^/]")));
    QVERIFY(!paths.isEmpty());
    StoreMap map(Qt::CaseSensitive);
    ReadStoreText(file, map);
    QStringList ours;
    for (const StoreSection &section : map.Sections()) {
        for (const StoreKey &key : section.Keys)
            ours.append(section.Name.isEmpty() ? key.Name : section.Name + u'/' + key.Name);
    }
    ours.sort();
    paths.sort();
    QCOMPARE(ours, paths);

    const SettingsStore store;
    for (const QString &path : std::as_const(paths)) {
        const QVariant value = qt.value(path);
        QString expected = value.toString();
        if (value.typeId() == QMetaType::QStringList)
            expected = value.toStringList().join(u", ");
        const qsizetype slash = path.indexOf(u'/');
        const QString section = slash < 0 ? QString() : path.left(slash);
        QCOMPARE(store.ReadSetting(section, path.mid(slash + 1), QStringLiteral("missing")),
                 expected);
    }
}

void tst_settings::namesCaseAsThePlatformHadIt()
{
    QVERIFY(WriteStore("[main]\nheadersize=3\n"));
    const SettingsStore store;
    QCOMPARE(store.ReadSetting(Main, QStringLiteral("HeaderSize"), QStringLiteral("5")),
             OnWindows ? QStringLiteral("3") : QStringLiteral("5"));
}

// Stores as version 1.0.0 saved them, on each platform: every text the program reads, and a save
// that keeps the strays of a first run, read back by Qt as it read the store before.
void tst_settings::storesOfVersion100_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("Linux") << QStringLiteral(":/samples/stored-1.0.0-linux.conf");
    QTest::newRow("Windows") << QStringLiteral(":/samples/stored-1.0.0-windows.ini");
}

void tst_settings::storesOfVersion100()
{
    QFETCH(QString, sample);
    QVERIFY(WriteStore(ReadFileBytes(sample)));
    const QMap<QString, QString> before = AsQtReadsIt(SettingsStore::FilePath());
    QCOMPARE(before.size(), 29);

    PageOptions options;
    ItemTable table;
    ItemList list;
    {
        const SettingsStore store;
        LoadOptions(store, options);
        QCOMPARE(LoadItems(store, table, list), 4);
    }
    QCOMPARE(options.HeaderColor, QStringLiteral("Dark Blue"));
    QCOMPARE(options.FontStyle, QStringLiteral("serif"));
    QCOMPARE(options.OldIEHome, QStringLiteral("C:\\Program Files\\Start\\home.htm"));
    QCOMPARE(table.Slot(1).Description, QStringLiteral("Milk, eggs; bread = breakfast"));
    QCOMPARE(table.Slot(2).Description,
             QStringLiteral("Two lines\r\nthen a tab\there\\ and 東京 😀"));
    QCOMPARE(table.Slot(3).Description,
             QStringLiteral("nul") + QChar(0) + QStringLiteral("7 inside"));
    QCOMPARE(table.Slot(4).URL, QStringLiteral("@@twice"));
    QCOMPARE(table.Slot(4).Priority, qint16(-1));
    QStringList names;
    for (int i = 0; i < list.Count(); ++i)
        names << list.At(i).Name;
    QCOMPARE(names, QStringList({QStringLiteral("  Café \"Zum Löwen\"  "),
                                 QStringLiteral("@home: fix the sink"),
                                 QStringLiteral("Ring\a bell 1"), QStringLiteral("tenth, last")}));

    // Saved back in list order, the texts move between sections but stay as they were.
    QVERIFY(SaveAll(options, table, list));
    const QMap<QString, QString> after = AsQtReadsIt(SettingsStore::FilePath());
    QCOMPARE(after.size(), before.size());
    QStringList beforeTexts = before.values();
    QStringList afterTexts = after.values();
    beforeTexts.sort();
    afterTexts.sort();
    QCOMPARE(afterTexts, beforeTexts);
}

void tst_settings::loadThenSave_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("loaded"); // name@slot, in list order
    QTest::addColumn<int>("deleted");        // the list position deleted before the save, or -1
    QTest::addColumn<QStringList>("saved");  // key=text as Qt reads the saved file
    QTest::addColumn<QByteArray>("file");    // the whole saved file, where its layout matters

    QTest::newRow("missing keys give defaults")
        << QByteArray("[Main]\nHeaderSize=3\n") << QStringList() << -1
        << QStringList{"Main/HeaderSize=3",          "Main/BodySize=2",
                       "Main/Font Style=sans-serif", "Main/HomeInNetscape=1",
                       "Main/OldIEHome=<none>",      "Main/RunBefore=Yes"}
        << QByteArray();
    QTest::newRow("first run")
        << QByteArray() << QStringList() << -1 << QStringList()
        << QByteArray("[Main]\nRunBefore=Yes\nGenerateOnClose=True\nHeaderColor=Black\n"
                      "HeaderSize=5\nBodyColor=Black\nBodySize=2\nLinkColor=Blue\n"
                      "VisitedLinkColor=Green\nBGColor=White\nFont%20Style=sans-serif\n"
                      "HomeInNetscape=1\nNumEntries=\" 0\"\n");
    QTest::newRow("items sorted, saved in list order from 1")
        << QByteArray("[Main]\nRunBefore=Yes\nNumEntries=\" 3\"\n\n"
                      "[%201]\nName=pears\nDescription=ripe\nURL=http://p\nPriority=3\n\n"
                      "[%202]\nName=Apples\nDescription=\nURL=\nPriority=1\n\n"
                      "[%203]\nName=melon\nDescription=\"two\\nlines\"\nURL=http://m\nPriority=7\n")
        << QStringList{"Apples@2", "melon@3", "pears@1"} << -1
        << QStringList{" 1/Name=Apples",
                       " 1/Priority=1",
                       " 2/Name=melon",
                       " 2/Priority=7",
                       " 2/Description=two\nlines",
                       " 3/Name=pears",
                       " 3/URL=http://p",
                       "Main/NumEntries= 3"}
        << QByteArray();
    QTest::newRow("a deleted item is not saved")
        << QByteArray("[Main]\nRunBefore=Yes\nNumEntries=3\n[%201]\nName=a\nPriority=1\n"
                      "[%202]\nName=b\nPriority=2\n[%203]\nName=c\nPriority=3\n")
        << QStringList{"a@1", "b@2", "c@3"} << 1
        << QStringList{"Main/NumEntries= 2", " 2/Name=c", " 2/Priority=3", " 3/Name=<none>"}
        << QByteArray();
    // Only "Yes" counts as run before; otherwise the save keeps what it does not write itself,
    // a hand-typed bare comma as typed too.
    QTest::newRow("strays survive a store not run before")
        << QByteArray("[General]\nloose=1\n[Main]\nRunBefore=yes\nStray=a,b\nsub\\key=deep\n"
                      "[%205]\nName=old\n")
        << QStringList() << -1
        << QStringList{"Main/Stray=a,b", " 5/Name=old", "Main/sub/key=deep", "loose=1",
                       "Main/RunBefore=Yes"}
        << QByteArray();
    QTest::newRow("the old start page survives")
        << QByteArray("[Main]\nRunBefore=Yes\nOldIEHome=http://before.example/\n") << QStringList()
        << -1 << QStringList{"Main/OldIEHome=http://before.example/"} << QByteArray();
}

void tst_settings::loadThenSave()
{
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, loaded);
    QFETCH(int, deleted);
    QFETCH(QStringList, saved);
    QFETCH(QByteArray, file);
    QVERIFY(WriteStore(stored));

    PageOptions options;
    ItemTable table;
    ItemList list;
    {
        const SettingsStore store;
        LoadOptions(store, options);
        LoadItems(store, table, list);
    }
    QStringList entries;
    for (int i = 0; i < list.Count(); ++i)
        entries << list.At(i).Name + u'@' + QString::number(list.At(i).Slot);
    QCOMPARE(entries, loaded);
    if (deleted >= 0) {
        table.Slot(list.At(deleted).Slot).InUse = false;
        list.Remove(deleted);
    }
    QVERIFY(SaveAll(options, table, list));

    if (!file.isEmpty())
        QCOMPARE(ReadFileBytes(SettingsStore::FilePath()),
                 file.replace("\n", OnWindows ? "\r\n" : "\n"));
    const QSettings qt(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat);
    for (const QString &expected : saved) {
        const QString key = expected.section(u'=', 0, 0);
        QCOMPARE(key + u'=' + qt.value(key, QStringLiteral("<none>")).toString(), expected);
    }
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

void tst_settings::failedSaveSaysWhy_data()
{
    QTest::addColumn<QString>("blocker");      // what stands in the way
    QTest::addColumn<qint64>("fileSizeLimit"); // bytes; 0: none, -1: 20 short of the whole
    QTest::addColumn<QString>("reason");       // the system's words; on Windows any

    QTest::newRow("the disk fills early") << QString() << qint64(4096) << SystemReason(EFBIG);
    QTest::newRow("the disk fills in the last write")
        << QString() << qint64(-1) << SystemReason(EFBIG);
    QTest::newRow("a file where the folder should be")
        << QStringLiteral("file for folder") << qint64(0)
        << (OnWindows ? QString() : SystemReason(ENOTDIR));
    QTest::newRow("a folder that cannot be written")
        << QStringLiteral("read-only folder") << qint64(0) << SystemReason(EACCES);
    QTest::newRow("a folder where the store should be")
        << QStringLiteral("folder for store") << qint64(0)
        << (OnWindows ? QString() : SystemReason(EISDIR));
}

// The save fails with the system's reason, and leaves the old store byte for byte and nothing
// beside it.
void tst_settings::failedSaveSaysWhy()
{
    QFETCH(QString, blocker);
    QFETCH(qint64, fileSizeLimit);
    QFETCH(QString, reason);
    if (fileSizeLimit != 0 && OnWindows)
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
    if (fileSizeLimit < 0)
        fileSizeLimit = QFileInfo(SettingsStore::FilePath()).size() - 20;

    QByteArray before;
    QString path = SettingsStore::FilePath();
    if (blocker == u"file for folder") {
        QVERIFY(QDir(StoreFolderPath()).removeRecursively());
        QVERIFY(WriteFileBytes(StoreFolderPath(), "not a folder"));
        before = ReadFileBytes(StoreFolderPath());
    } else if (blocker == u"read-only folder") {
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadUser | QFile::ExeUser;
        QVERIFY(QFile::setPermissions(StoreFolderPath(), readOnly));
        const bool stops = !OnWindows && !QFileInfo(StoreFolderPath()).isWritable();
        QFile::setPermissions(StoreFolderPath(), readOnly | QFile::WriteOwner | QFile::WriteUser);
        if (!stops)
            QSKIP("a folder's permissions stop neither an administrator nor anyone on Windows");
        QVERIFY(QFile::setPermissions(StoreFolderPath(), readOnly));
        before = ReadFileBytes(path);
    } else if (blocker == u"folder for store") {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    } else {
        QVERIFY(WriteStore("[Main]\nRunBefore=Yes\nNumEntries=1\n[%201]\nName=precious\n"));
        before = ReadFileBytes(path);
    }

    bool saved = true;
    QString why;
    {
        const FileSizeLimit fullDisk(fileSizeLimit > 0 ? fileSizeLimit : 1 << 30);
        QVERIFY(fullDisk.Active() || fileSizeLimit == 0);
        saved = SaveAll(options, table, list, &why);
    }
    QFile::setPermissions(StoreFolderPath(), QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ExeOwner | QFile::ReadUser |
                                                 QFile::WriteUser | QFile::ExeUser);
    QVERIFY(!saved);
    if (OnWindows)
        QVERIFY2(!why.isEmpty(), "no reason");
    else
        QCOMPARE(why, reason);
    if (blocker == u"file for folder") {
        QCOMPARE(ReadFileBytes(StoreFolderPath()), before);
        return;
    }
    QCOMPARE(ReadFileBytes(path), before);
    QCOMPARE(Beside(), QStringList());
}

void tst_settings::unsyncedChangesAreDropped()
{
    QVERIFY(WriteStore("[Main]\nHeaderSize=3\n"));
    const QByteArray before = ReadFileBytes(SettingsStore::FilePath());
    {
        SettingsStore store;
        store.WriteSetting(Main, QStringLiteral("HeaderSize"), QStringLiteral("7"));
        QCOMPARE(store.ReadSetting(Main, QStringLiteral("HeaderSize")), QStringLiteral("7"));
    }
    QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), before);
    QCOMPARE(Beside(), QStringList());
}

void tst_settings::leftoverSaves_data()
{
    QTest::addColumn<QString>("suffix"); // after the store's own name and a dot
    QTest::addColumn<bool>("removed");

    // No process has an id this high; this one runs, and never gets to a millionth save.
    QTest::newRow("an ended process's save") << QStringLiteral("2147483646-1.saving") << true;
    QTest::newRow("the lock a save of 1.0.0 held")
        << QStringLiteral("2147483646-1.saving.lock") << true;
    QTest::newRow("the temporary copy a save of 1.0.0 made")
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
    store.WriteSetting(Main, QStringLiteral("NumEntries"), QStringLiteral(" 0"));
    QVERIFY(store.Sync());
    QCOMPARE(QFileInfo::exists(leftover), !removed);
}

void tst_settings::heldStoreIsWaitedFor_data()
{
    QTest::addColumn<int>("heldMs");
    QTest::addColumn<bool>("saved");
    QTest::newRow("held for a second") << 1000 << true;
    QTest::newRow("held throughout") << 6000 << false;
}

// Another program holds the store open without sharing its deletion, as virus scanners do.
void tst_settings::heldStoreIsWaitedFor()
{
#ifndef Q_OS_WIN
    QSKIP("Only Windows keeps a file that another program holds from being replaced");
#else
    QFETCH(int, heldMs);
    QFETCH(bool, saved);
    QVERIFY(WriteStore("[Main]\nNumEntries=1\n[%201]\nName=precious\n"));
    const QByteArray before = ReadFileBytes(SettingsStore::FilePath());
    QProcess holder;
    holder.start(
        QCoreApplication::applicationFilePath(),
        {QString::fromLatin1(HoldFile), SettingsStore::FilePath(), QString::number(heldMs)});
    QVERIFY(holder.waitForReadyRead(10000));

    QElapsedTimer clock;
    clock.start();
    SettingsStore store;
    store.WriteSetting(Main, QStringLiteral("NumEntries"), QStringLiteral(" 0"));
    QString reason;
    QCOMPARE(store.Sync(&reason), saved);
    qInfo("the save took %lld ms: %s", clock.elapsed(), qPrintable(reason));
    if (saved) {
        QCOMPARE(SettingsStore().ReadSetting(Main, QStringLiteral("NumEntries")),
                 QStringLiteral(" 0"));
    } else {
        QVERIFY(clock.elapsed() < 3000);
        QVERIFY2(!reason.isEmpty(), "no reason");
        QCOMPARE(ReadFileBytes(SettingsStore::FilePath()), before);
    }
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(store.Sync());
    QCOMPARE(Beside(), QStringList());

    // A read-only store is no store held for a moment: Windows refuses to replace it at once,
    // and Wine replaces it.
    QVERIFY(QFile::setPermissions(SettingsStore::FilePath(), QFile::ReadOwner));
    store.WriteSetting(Main, QStringLiteral("NumEntries"), QStringLiteral(" 1"));
    clock.restart();
    const bool replaced = store.Sync(&reason);
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(replaced || !reason.isEmpty());
    QFile::setPermissions(SettingsStore::FilePath(), QFile::ReadOwner | QFile::WriteOwner);
#endif
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

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    if (argc == 4 && qstrcmp(argv[1], HoldFile) == 0)
        return HoldFileFor(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
#endif
    const ScratchUser scratchUser;
    QCoreApplication app(argc, argv);
    tst_settings test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
