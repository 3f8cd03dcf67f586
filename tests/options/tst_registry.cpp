#include "Registry.h"
#include "ScratchRegistry.h"
#include "ScratchUser.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <optional>

namespace {

const QString TestKey = QStringLiteral("Software\\Test");
const QString Default = QStringLiteral("<default>");

QByteArray Reg(const QByteArray &body)
{
    return "REGEDIT4\n\n" + body;
}

// Why the cases about the text file itself, its syntax and its troubles, skip on Windows.
constexpr char NoFile[] = "Windows keeps the registry itself, not in a text file";

QString Folder()
{
    return QFileInfo(RegistryFile()).absolutePath();
}

QByteArray FileBytes()
{
    return ReadFileBytes(RegistryFile());
}

void SetFileBytes(const QByteArray &bytes)
{
    QVERIFY(WriteFileBytes(RegistryFile(), bytes));
}

QByteArray Replaced(QByteArray text, const QByteArray &before, const QByteArray &after)
{
    return text.replace(before, after);
}

// Kept by every write that does not change them: comments, types we never write, lines that
// mean nothing, bytes that are not UTF-8 and keys of roots we do not know.
const QByteArray Mixed = Reg(R"(; typed by hand
[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Internet Explorer]
"Version"="11.0"
"Build"=dword:0000002a
junk that means nothing

[HKEY_CURRENT_USER\Software\Test]
"Bin"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\
  17,18,19
"v"="old"
"bad bytes )"
                             "\xff\xfe"
                             R"("="kept"

[HKEY_USERS\Other]
"v"="not ours"
)");

} // namespace

class tst_registry : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void read_data();
    void read();
    void roundTrip_data();
    void roundTrip();
    void readCreatesNothing();
    void writeKeepsTheRest_data();
    void writeKeepsTheRest();
    void malformedFile_data();
    void malformedFile();
    void unwritable_data();
    void unwritable();
    void oversizedFileIsLeftAlone();
    void smallFileTakesLittleMemory();
    void writingAgainChangesNothing_data();
    void writingAgainChangesNothing();

private:
    std::optional<ScratchRegistry> registry;
};

void tst_registry::init()
{
    registry.reset();
    registry.emplace();
    // The file's folder is made afresh too, to see what makes it.
    if (!RegistryFile().isEmpty())
        QVERIFY(QDir(Folder()).removeRecursively());
}

void tst_registry::read_data()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<RegRoot>("root");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    const RegRoot cu = RegRoot::CurrentUser;
    const QByteArray key = "[HKEY_CURRENT_USER\\Software\\Test]\n";
    const QString v = QStringLiteral("v");

    QTest::newRow("string") << Reg(key + R"("v"="hello")") << cu << TestKey << v << "hello";
    QTest::newRow("empty string") << Reg(key + R"("v"="")") << cu << TestKey << v << "";
    QTest::newRow("escapes") << Reg(key + R"("v"="C:\\dir\\\"x\"")") << cu << TestKey << v
                             << R"(C:\dir\"x")";
    QTest::newRow("expandable string")
        << Reg(key + R"("v"=hex(2):25,00,41,00,00)") << cu << TestKey << v << Default;
    QTest::newRow("dword") << Reg(key + R"("v"=dword:0000002a)") << cu << TestKey << v << Default;
    QTest::newRow("binary") << Reg(key + R"("v"=hex:61,62,00)") << cu << TestKey << v << Default;
    QTest::newRow("string as bytes")
        << Reg(key + R"("v"=hex(1):61,62,63,00)") << cu << TestKey << v << "abc";
    QTest::newRow("NUL inside") << Reg(key + R"("v"=hex(1):61,62,00,63,64,00)") << cu << TestKey
                                << v << "ab";
    QTest::newRow("bytes over lines")
        << Reg(key + "\"v\"=hex(1):61,62,\\\n  63,00\n") << cu << TestKey << v << "abc";
    QTest::newRow("missing key") << Reg("[HKEY_CURRENT_USER\\Software\\Other]\n\"v\"=\"x\"\n") << cu
                                 << TestKey << v << Default;
    QTest::newRow("missing value") << Reg(key + R"("w"="x")") << cu << TestKey << v << Default;
    QTest::newRow("value of the parent key")
        << Reg("[HKEY_CURRENT_USER\\Software]\n\"v\"=\"x\"\n") << cu << TestKey << v << Default;
    QTest::newRow("value of a subkey")
        << Reg("[HKEY_CURRENT_USER\\Software\\Test\\Sub]\n\"v\"=\"x\"\n") << cu << TestKey << v
        << Default;
    QTest::newRow("other root") << Reg(key + R"("v"="x")") << RegRoot::LocalMachine << TestKey << v
                                << Default;
    QTest::newRow("local machine") << Reg("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n\"v\"=\"x\"\n")
                                   << RegRoot::LocalMachine << TestKey << v << "x";
    QTest::newRow("key in other case")
        << Reg("[hkey_current_user\\SOFTWARE\\test]\n\"v\"=\"x\"\n") << cu << TestKey << v << "x";
    QTest::newRow("value name in other case")
        << Reg(key + R"("V"="x")") << cu << TestKey << v << "x";
    QTest::newRow("unnamed value") << Reg(key + R"(@="x")") << cu << TestKey << ""
                                   << "x";
    QTest::newRow("unnamed is not named") << Reg(key + R"(@="x")") << cu << TestKey << v << Default;
    QTest::newRow("last definition counts")
        << Reg(key + "\"v\"=\"a\"\n\n" + key + "\"v\"=\"b\"\n") << cu << TestKey << v << "b";
    QTest::newRow("last definition not a string")
        << Reg(key + "\"v\"=\"a\"\n\"v\"=dword:00000001\n") << cu << TestKey << v << Default;
    QTest::newRow("lone CRs") << QByteArray("REGEDIT4\r\r[HKEY_CURRENT_USER\\Software\\Test]\r"
                                            "\"v\"=\"x\"\r\"w\"=\"y\"\r")
                              << cu << TestKey << v << "x";
    QTest::newRow("byte-order mark of the file")
        << "\xef\xbb\xbf" + Reg(key + R"("v"="x")") << cu << TestKey << v << "x";
    QTest::newRow("byte-order mark later is no mark")
        << Reg(key + "\xef\xbb\xbf\"v\"=\"x\"\n") << cu << TestKey << v << Default;
    QTest::newRow("CRLF") << QByteArray("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n"
                                        "\"v\"=\"x\"\r\n")
                          << cu << TestKey << v << "x";
    QTest::newRow("unknown escape")
        << Reg(key + R"("v"="C:\dir")") << cu << TestKey << v << Default;
    QTest::newRow("key path with an empty name")
        << Reg(key + R"("v"="x")") << cu << "Software\\\\Test" << v << Default;
}

void tst_registry::read()
{
    QFETCH(QByteArray, file);
    QFETCH(RegRoot, root);
    QFETCH(QString, keyPath);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    SetFileBytes(file);
    QCOMPARE(RegReadString(root, keyPath, name, Default), expected);
}

void tst_registry::roundTrip_data()
{
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("readBack");

    QTest::newRow("three letters") << TestKey << "v"
                                   << "abc" << QByteArray(R"("v"="abc")") << "abc";
    QTest::newRow("empty text") << TestKey << "v"
                                << "" << QByteArray(R"("v"="")") << "";
    QTest::newRow("quotes and backslashes")
        << TestKey << R"(n"a\me)"
        << R"(a\b"c)" << QByteArray(R"("n\"a\\me"="a\\b\"c")") << R"(a\b"c)";
    QTest::newRow("non-ASCII") << TestKey << "v" << QString::fromUtf8("Grüße")
                               << QByteArray("\"v\"=\"Gr\xc3\xbc\xc3\x9f"
                                             "e\"")
                               << QString::fromUtf8("Grüße");
    QTest::newRow("unnamed value") << TestKey << ""
                                   << "x" << QByteArray(R"(@="x")") << "x";
    QTest::newRow("NUL inside") << TestKey << "v" << QString::fromUtf8("ab\0cd", 5)
                                << QByteArray("\"v\"=hex(1):61,62,00,63,64,00") << "ab";
    QTest::newRow("line break") << TestKey << "v"
                                << "a\r\nb" << QByteArray("\"v\"=hex(1):61,0d,0a,62,00")
                                << "a\r\nb";
    QTest::newRow("deep new path") << "Software\\A\\B\\C"
                                   << "v"
                                   << "x" << QByteArray(R"("v"="x")") << "x";
    const QString mark(QChar(0xFEFF));
    QTest::newRow("byte-order mark first") << TestKey << "v" << mark + "a"
                                           << QByteArray("\"v\"=\"\xef\xbb\xbf"
                                                         "a\"")
                                           << mark + "a";
    QTest::newRow("byte-order mark first, as bytes")
        << TestKey << "v" << mark + "\n"
        << QByteArray("\"v\"=hex(1):ef,bb,bf,0a,00") << mark + "\n";
    const QString longText(40000, u'x');
    QTest::newRow("40000 characters")
        << TestKey << "v" << longText << QByteArray("\"v\"=\"" + longText.toUtf8() + '"')
        << longText;
}

// From no file at all: the file, its folder and the key are made, and the value reads back.
void tst_registry::roundTrip()
{
    QFETCH(QString, keyPath);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QByteArray, line);
    QFETCH(QString, readBack);

    if (OnWindows && QString::fromLocal8Bit(value.toLocal8Bit()) != value)
        QSKIP("the registry's ANSI calls cannot carry this text in this code page");

    QVERIFY(RegWriteString(RegRoot::CurrentUser, keyPath, name, value));
    if (!RegistryFile().isEmpty())
        QCOMPARE(FileBytes(), Reg("[HKEY_CURRENT_USER\\" + keyPath.toUtf8() + "]\n" + line + "\n"));
    QCOMPARE(RegReadString(RegRoot::CurrentUser, keyPath, name, Default), readBack);
}

void tst_registry::readCreatesNothing()
{
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QCOMPARE(RegReadString(RegRoot::LocalMachine, TestKey, "v", Default), Default);
    QVERIFY(registry->IsEmpty());
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QVERIFY(!QFileInfo::exists(Folder()));

    const QByteArray file = Reg("[HKEY_CURRENT_USER\\Software]\n");
    SetFileBytes(file);
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QCOMPARE(FileBytes(), file);
}

void tst_registry::writeKeepsTheRest_data()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<RegRoot>("root");
    QTest::addColumn<QString>("keyPath");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("after");

    const RegRoot cu = RegRoot::CurrentUser;
    QTest::newRow("replace a string")
        << Mixed << cu << TestKey << "v" << Replaced(Mixed, R"("v"="old")", R"("v"="new")");
    QTest::newRow("replace through other case")
        << Mixed << cu << "SOFTWARE\\test"
        << "V" << Replaced(Mixed, R"("v"="old")", R"("V"="new")");
    QTest::newRow("replace a number")
        << Mixed << RegRoot::LocalMachine << "SOFTWARE\\Microsoft\\Internet Explorer"
        << "Build" << Replaced(Mixed, "\"Build\"=dword:0000002a", R"("Build"="new")");
    QTest::newRow("replace bytes over two lines")
        << Mixed << cu << TestKey << "Bin"
        << Replaced(Mixed,
                    Mixed.mid(Mixed.indexOf("\"Bin\""),
                              Mixed.indexOf("\n\"v\"") - Mixed.indexOf("\"Bin\"")),
                    R"("Bin"="new")");
    QTest::newRow("add to a key") << Mixed << cu << TestKey << "w"
                                  << Replaced(Mixed, "=\"kept\"\n", "=\"kept\"\n\"w\"=\"new\"\n");
    QTest::newRow("add a key") << Mixed << cu << "Software\\New"
                               << "v"
                               << Mixed + "\n[HKEY_CURRENT_USER\\Software\\New]\n\"v\"=\"new\"\n";
    const QByteArray crlf =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Test]\r\n\"a\"=\"1\"\r\n";
    QTest::newRow("CRLF file") << crlf << cu << TestKey << "b" << crlf + "\"b\"=\"new\"\r\n";
    QTest::newRow("CRLF file, new key")
        << crlf << cu << "Software\\New"
        << "b" << crlf + "\r\n[HKEY_CURRENT_USER\\Software\\New]\r\n\"b\"=\"new\"\r\n";
    const QByteArray open = Reg("[HKEY_CURRENT_USER\\Software\\Test]\n\"a\"=\"1\"");
    const QByteArray cr = "REGEDIT4\r\r[HKEY_CURRENT_USER\\Software\\Test]\r\"a\"=\"1\"\r\r";
    QTest::newRow("lone CRs") << cr << cu << TestKey << "b"
                              << Replaced(cr, "\"1\"\r", "\"1\"\r\"b\"=\"new\"\r");
    // A CR would run together with the blank line's LF into one line end.
    QTest::newRow("line end of the line above, not of the first")
        << QByteArray("REGEDIT4\r[HKEY_CURRENT_USER\\Software\\Test]\n\n") << cu << TestKey << "b"
        << QByteArray("REGEDIT4\r[HKEY_CURRENT_USER\\Software\\Test]\n\"b\"=\"new\"\n\n");
    QTest::newRow("no line end at the end")
        << open << cu << TestKey << "b" << open + "\n\"b\"=\"new\"";
}

void tst_registry::writeKeepsTheRest()
{
    QFETCH(QByteArray, before);
    QFETCH(RegRoot, root);
    QFETCH(QString, keyPath);
    QFETCH(QString, name);
    QFETCH(QByteArray, after);

    SetFileBytes(before);
    QVERIFY(RegWriteString(root, keyPath, name, "new"));
    QCOMPARE(FileBytes(), after);
}

void tst_registry::malformedFile_data()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QTest::addColumn<QByteArray>("file");

    const QByteArray key = "[HKEY_CURRENT_USER\\Software\\Test]\n";
    QTest::newRow("garbage") << QByteArray("this is no registry\n{}[]==\"\"\n@@@\n\\\n");
    QTest::newRow("no header") << QByteArray("[HKEY_CURRENT_USER\\Software\\Other]\n\"v\"=\"x\"\n");
    QTest::newRow("key line cut short") << Reg("[HKEY_CURRENT_USER\\Software\\Test");
    QTest::newRow("string cut short") << Reg(key + "\"v\"=\"abc");
    QTest::newRow("bytes cut short") << Reg(key + "\"v\"=hex(1):61,62,\\");
    QTest::newRow("name cut short") << Reg(key + "\"v");
    QTest::newRow("bad hex") << Reg(key + "\"v\"=hex(1):6g,00\n\"v\"=hex(1):616,00\n");
    QTest::newRow("bad type") << Reg(key + "\"v\"=hex(zz):61,00\n\"v\"=hex(1:61,00\n");
    QTest::newRow("unknown root") << Reg("[HKEY_NOWHERE\\Software\\Test]\n\"v\"=\"x\"\n");
    QByteArray junk(1 << 16, '\0');
    for (qsizetype i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 37 + i / 251) % 256);
    QTest::newRow("binary junk") << junk;
    QTest::newRow("huge line") << QByteArray(8 << 20, '[');
    QTest::newRow("huge value elsewhere")
        << Reg("[HKEY_CURRENT_USER\\Software\\Other]\n\"v\"=hex(1):" +
               QByteArray("61,").repeated(1 << 20) + "00\n");
}

// Nothing of a bad file is read, and a write keeps all of it and still works.
void tst_registry::malformedFile()
{
    QFETCH(QByteArray, file);

    SetFileBytes(file);
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QVERIFY(RegWriteString(RegRoot::CurrentUser, TestKey, "v", "x"));
    QVERIFY(FileBytes().startsWith(file));
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), "x");
}

void tst_registry::unwritable_data()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QTest::addColumn<bool>("folderIsAFile");

    QTest::newRow("folder is a file") << true;
    QTest::newRow("file is a folder") << false;
}

// The tests run as root, so a mode bit would not stop the write: a file or folder in the way
// does.
void tst_registry::unwritable()
{
    QFETCH(bool, folderIsAFile);

    if (folderIsAFile) {
        QFile obstacle(Folder());
        QVERIFY(obstacle.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(RegistryFile()));
    }

    QVERIFY(!RegWriteString(RegRoot::CurrentUser, TestKey, "v", "x"));
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QCOMPARE(QFileInfo(Folder()).isFile(), folderIsAFile);
    QCOMPARE(QFileInfo(RegistryFile()).isDir(), !folderIsAFile);
}

void tst_registry::oversizedFileIsLeftAlone()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    const QByteArray start = Reg("[HKEY_CURRENT_USER\\Software\\Test]\n\"v\"=\"x\"\n");
    SetFileBytes(start);
    const qint64 size = qint64(100) << 20;
    QVERIFY(QFile::resize(RegistryFile(), size)); // sparse: cheap to make

    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), Default);
    QVERIFY(!RegWriteString(RegRoot::CurrentUser, TestKey, "v", "y"));
    QCOMPARE(QFileInfo(RegistryFile()).size(), size);
}

// The file is read into room for what it holds, not for the largest file it may be (16 MiB).
void tst_registry::smallFileTakesLittleMemory()
{
    QVERIFY(RegWriteString(RegRoot::CurrentUser, TestKey, "v", "x"));
    QString read;
    bool written = false;
    {
        const MemoryLimit limit(8 << 20);
        if (!limit.Active())
            QSKIP("no memory limit for a process under the address sanitizer or on Windows");
        read = RegReadString(RegRoot::CurrentUser, TestKey, "v", Default);
        written = RegWriteString(RegRoot::CurrentUser, TestKey, "v", "y");
    }
    QCOMPARE(read, "x");
    QVERIFY(written);
}

void tst_registry::writingAgainChangesNothing_data()
{
    if (RegistryFile().isEmpty())
        QSKIP(NoFile);
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("lineEnd");

    QTest::newRow("first line ends in a lone CR") << QByteArray("REGEDIT4\r") << QByteArray("\r");
    QTest::newRow("lone CR, then LF")
        << QByteArray("REGEDIT4\r[HKEY_CURRENT_USER\\Software]\n") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("REGEDIT4\r\n\r\n") << QByteArray("\r\n");
}

// A value too long for one line, written twice, gives the same file both times; what the write
// adds ends its lines as the lines beside it do.
void tst_registry::writingAgainChangesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, lineEnd);
    const QString value = QStringLiteral("a first line\nand a second one, too long for one line");

    SetFileBytes(file);
    QVERIFY(RegWriteString(RegRoot::CurrentUser, TestKey, "v", value));
    const QByteArray once = FileBytes();
    QVERIFY(RegWriteString(RegRoot::CurrentUser, TestKey, "v", value));
    QCOMPARE(FileBytes(), once);
    QCOMPARE(RegReadString(RegRoot::CurrentUser, TestKey, "v", Default), value);

    QVERIFY(once.startsWith(file));
    QByteArray added = once.mid(file.size());
    QVERIFY(added.count(lineEnd) >= 4);
    added.replace(lineEnd, "");
    QVERIFY(!added.contains('\r') && !added.contains('\n'));
}

TAVREL_TEST_GUILESS_MAIN(tst_registry)
#include "tst_registry.moc"
