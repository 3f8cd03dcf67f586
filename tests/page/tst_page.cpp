#include "ColorTable.h"
#include "ModuleMain.h"
#include "PageText.h"
#include "PageWriter.h"
#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "TestSeams.h"
#include "TestSupport.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(PageOptions)

namespace {
// A two-item page as written for a program in C:\Lists.
const char *const WorkedExample = R"(<html>
<head><title>Tavrel List</title></head>
<body bgcolor="#FFFFFF" link="#0000FF" alink="#0000FF" vlink="#228B22">
<font face="sans-serif">
<p><font size=5 color="#000000">
  Tavrel List
</font></p>
<table width=100% border=0>
  <tr>
    <td width=11 valign="top">
      <img src="C:\Lists\high.gif" width=11 height=11>
    </td>
    <td width=100%>
      <font size=2 color="#000000" face="sans-serif">
      <b><a href="trains.htm">Check train times</a></b><br>
      High Priority<br>
      Description: Fares & times to the coast
      </font>
    </td>
  </tr>
  <tr><td>&nbsp;</td></tr>
  <tr>
    <td width=11 valign="top">
      <img src="C:\Lists\low.gif" width=11 height=11>
    </td>
    <td width=100%>
      <font size=2 color="#000000" face="sans-serif">
      <b>Buy stamps</b><br>
      Low Priority<br>
      Description: Before Friday
      </font>
    </td>
  </tr>
  <tr><td>&nbsp;</td></tr>
</table>
</font>
</body>
</html>
)";

QByteArray PageOf(QByteArray lines, const QString &dir)
{
    return lines.replace(R"(C:\Lists\)", QDir::toNativeSeparators(dir + u'/').toUtf8())
        .replace("\n", "\r\n");
}

// The lines as the page holds them: on Windows a character that the system's code page has is
// written as its bytes there, not as the reference that stands for it.
QByteArray AsWritten(const QByteArray &lines)
{
    if (!OnWindows)
        return lines;
    static const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    QByteArray written;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : reference.globalMatch(QString::fromLatin1(lines))) {
        const char32_t code = match.captured(1).toUInt();
        const QString character = QString::fromUcs4(&code, 1);
        const QByteArray bytes = character.toLocal8Bit();
        written += lines.mid(from, match.capturedStart() - from);
        written += QString::fromLocal8Bit(bytes) == character ? bytes : match.captured().toLatin1();
        from = match.capturedEnd();
    }
    return written + lines.mid(from);
}

// The page's lines without their CR LF; fails the test on a bare LF, or on a byte beyond ASCII
// where there is no code page to give it a meaning.
QList<QByteArray> LinesOf(QByteArray page)
{
    [&page] {
        QVERIFY(page.endsWith("\r\n"));
        QCOMPARE(page.count('\n'), page.count("\r\n"));
        QVERIFY(OnWindows ||
                std::all_of(page.cbegin(), page.cend(), [](char c) { return uchar(c) < 0x80; }));
    }();
    QList<QByteArray> lines = page.replace("\r\n", "\n").split('\n');
    lines.removeLast();
    return lines;
}

void AddItem(const QString &name, qint16 priority, const QString &url = {},
             const QString &description = {})
{
    ModuleMain &g = Globals();
    const int slot = g.itemTable.FindFreeSlot();
    g.itemTable.Slot(slot) = ItemRecord{true, url, description, priority};
    g.itemList->Insert(name, slot);
}

QByteArray CurrentPage()
{
    const ModuleMain &g = Globals();
    QByteArray page;
    WritePageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures(),
                  [&page](QByteArrayView piece) {
                      page += piece;
                      return true;
                  });
    return page;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

PageOptions Options(void (*change)(PageOptions &))
{
    PageOptions options;
    change(options);
    return options;
}

enum class Failure
{
    PageIsFolder,
    FolderIsFile,
    FileSizeLimit,
    DataFolderIsFile,
    PictureCopyIsFolder
};
} // namespace

class tst_page : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void colorRowsMatchPositionAndCss();
    void colorLookups_data();
    void colorLookups();

    void workedExample();
    void emptyList();
    void passes_data();
    void passes();
    void itemLines_data();
    void itemLines();
    void optionTexts_data();
    void optionTexts();

    void longPageInPieces();
    void replacesTheOldPage_data();
    void replacesTheOldPage();
    void failure_data();
    void failure();
    void installedPageMakesTheDataFolder();
    void picturesCopiedBesideHandedFolder_data();
    void picturesCopiedBesideHandedFolder();

private:
    void Install(const QString &dataHome);

    std::unique_ptr<QTemporaryDir> dir;
    QString dataFolder; // the user's, as Install() left it
};

void tst_page::init()
{
    ResetGlobals();
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    SetProgramDirForTests(dir->path());
}

void tst_page::cleanup()
{
    ResetGlobals();
    UseDataFolder({}); // the scratch user's own
}

// The program as installed under dir: in usr/bin, its pictures where an install puts them, and the
// user's data folder at dataHome where the system lets the tests choose it.
void tst_page::Install(const QString &dataHome)
{
    QVERIFY(PutPictures(InstalledPictureFolder(dir->filePath("usr/bin"))));
    dataFolder = UseDataFolder(dataHome);
    SetProgramDirForTests(dir->filePath("usr/bin"));
}

void tst_page::colorRowsMatchPositionAndCss()
{
    for (std::size_t i = 0; i < ColorTable.size(); ++i) {
        const ColorEntry &row = ColorTable[i];
        const QString name = row.ColorName.toString();
        QCOMPARE(row.Index, qint16(i));
        QVERIFY2(row.Hex.size() == 7 && row.Hex == row.Hex.toString().toUpper(), qPrintable(name));
        // Our Maroon and Green are shades of our own; every other name is the CSS colour.
        const QString css = QColor::fromString(name).name().toUpper();
        if (name == u"Maroon" || name == u"Green")
            QVERIFY(row.Hex != css);
        else
            QCOMPARE(row.Hex.toString(), css);
    }
}

void tst_page::colorLookups_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hex");
    QTest::addColumn<int>("index"); // -1: no value

    QTest::newRow("first") << "Black"
                           << "\"#000000\"" << 0;
    QTest::newRow("last") << "White"
                          << "\"#FFFFFF\"" << 16;
    QTest::newRow("our maroon") << "Maroon"
                                << "\"#7C4400\"" << 1;
    QTest::newRow("our green") << "Green"
                               << "\"#228B22\"" << 2;
    QTest::newRow("grey is not gray") << "Grey"
                                      << "\"\"" << -1;
    QTest::newRow("lower case") << "black"
                                << "\"\"" << -1;
    QTest::newRow("upper case") << "BLACK"
                                << "\"\"" << -1;
    QTest::newRow("trailing blank") << "Black "
                                    << "\"\"" << -1;
    QTest::newRow("empty") << ""
                           << "\"\"" << -1;
}

void tst_page::colorLookups()
{
    QFETCH(QString, name);
    QFETCH(QString, hex);
    QFETCH(int, index);

    QCOMPARE(ColorToHex(name), hex);
    const std::optional<qint16> found = ColorToIndex(name);
    QCOMPARE(found.value_or(-1), qint16(index));
}

void tst_page::workedExample()
{
    AddItem("Buy stamps", 1, "", "Before Friday");
    AddItem("Check train times", 3, "trains.htm", "Fares & times to the coast");

    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    QCOMPARE(ReadAll(PagePath()), PageOf(WorkedExample, dir->path()));
}

void tst_page::emptyList()
{
    const QList<QByteArray> example = QByteArray(WorkedExample).split('\n');
    const QByteArray empty = (example.first(8) + example.sliced(34)).join('\n');
    QCOMPARE(CurrentPage(), PageOf(empty, dir->path()));
}

void tst_page::passes_data()
{
    QTest::addColumn<QList<int>>("priorities"); // of items "a", "b", "c", ... in list order
    QTest::addColumn<QByteArray>("written");    // their names as the page lists them

    QTest::newRow("one priority keeps list order") << QList<int>{2, 2, 2} << QByteArray("abc");
    QTest::newRow("high, medium, low") << QList<int>{1, 2, 3, 1, 3, 2} << QByteArray("cebfad");
    QTest::newRow("others left out") << QList<int>{0, 4, 3, -1, 1, 32767} << QByteArray("ce");
    QTest::newRow("none written") << QList<int>{0, 5} << QByteArray();
}

void tst_page::passes()
{
    QFETCH(QList<int>, priorities);
    QFETCH(QByteArray, written);
    for (int i = 0; i < priorities.size(); ++i)
        AddItem(QString(QChar(u'a' + i)), qint16(priorities[i]));

    const QList<QByteArray> lines = LinesOf(CurrentPage());

    QCOMPARE(lines.size(), 12 + 13 * written.size());
    QByteArray names;
    for (qsizetype i = 0; i < written.size(); ++i) {
        const QByteArray &nameLine = lines[8 + 13 * i + 6];
        QVERIFY2(nameLine.startsWith("      <b>"), nameLine);
        names += nameLine.at(9);
        const char *const words[] = {"Low", "Medium", "High"};
        const int priority = priorities[written[i] - 'a'];
        QCOMPARE(lines[8 + 13 * i + 7],
                 QByteArray("      ") + words[priority - 1] + " Priority<br>");
        const char *const pictures[] = {"low.gif\"", "med.gif\"", "high.gif\""};
        QVERIFY(lines[8 + 13 * i + 2].contains(QDir::separator().toLatin1() +
                                               QByteArray(pictures[priority - 1])));
    }
    QCOMPARE(names, written);
}

void tst_page::itemLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArray>("nameLine");
    QTest::addColumn<QByteArray>("descriptionLine");
    const auto row = [](const char *tag, const QString &name, const QString &url,
                        const QString &description, const QByteArray &nameLine,
                        const QByteArray &descriptionLine) {
        QTest::newRow(tag) << name << url << description << nameLine << descriptionLine;
    };

    row("no address", "Buy stamps", "", "Soon", "      <b>Buy stamps</b><br>",
        "      Description: Soon");
    row("bare http is a link", "Buy stamps", "http://", "",
        R"(      <b><a href="http://">Buy stamps</a></b><br>)", "      Description: ");
    row("markup as held", "<i>A & B</i>", "a.htm?x=1&y=<2>", R"(x < y > z & "q" 'r')",
        R"(      <b><a href="a.htm?x=1&y=<2>"><i>A & B</i></a></b><br>)",
        R"(      Description: x < y > z & "q" 'r')");
    row("quote in address", R"(say "hi")", R"(a"b")", R"("quoted")",
        R"(      <b><a href="a&quot;b&quot;">say "hi"</a></b><br>)",
        R"(      Description: "quoted")");
    row("e acute", "Café", "", "Crème brûlée", "      <b>Caf&#233;</b><br>",
        "      Description: Cr&#232;me br&#251;l&#233;e");
    row("euro and first above ASCII", "5 €", "", QString(QChar(0x80)), "      <b>5 &#8364;</b><br>",
        "      Description: &#128;");
    row("beyond 16 bits", "😀!", "http://x/😀", "a😀😀",
        R"(      <b><a href="http://x/&#128512;">&#128512;!</a></b><br>)",
        "      Description: a&#128512;&#128512;");
    row("more than the room taken", "x", "", QString(2000, u'é'), "      <b>x</b><br>",
        "      Description: " + QByteArray("&#233;").repeated(2000));
    row("half a pair", QString(QChar(0xD83D)), "", QString(QChar(0xDE00)) + "x",
        "      <b>&#65533;</b><br>", "      Description: &#65533;x");
    // The description's own lines, as LinesOf splits them, each ended by CR LF on the page.
    row("typed on two lines", "x", "", "first\nsecond", "      <b>x</b><br>",
        "      Description: first\nsecond");
    row("every kind of line break", "x", "", "a\r\nb\rc\n", "      <b>x</b><br>",
        "      Description: a\nb\nc\n");
}

void tst_page::itemLines()
{
    QFETCH(QString, name);
    QFETCH(QString, url);
    QFETCH(QString, description);
    QFETCH(QByteArray, nameLine);
    QFETCH(QByteArray, descriptionLine);
    AddItem(name, 3, url, description);

    const QList<QByteArray> lines = LinesOf(CurrentPage());

    const qsizetype descriptionLines = descriptionLine.count('\n') + 1;
    QCOMPARE(lines.size(), 24 + descriptionLines);
    QCOMPARE(lines[14], AsWritten(nameLine));
    QCOMPARE(lines.mid(16, descriptionLines).join('\n'), AsWritten(descriptionLine));
}

void tst_page::optionTexts_data()
{
    QTest::addColumn<PageOptions>("options");
    QTest::addColumn<QByteArrayList>("lines"); // the body tag, both font tags, an item's font tag

    QTest::newRow("unknown colours give empty values")
        << Options([](PageOptions &o) {
               o.HeaderColor = "Black ";
               o.BodyColor = "Pink";
               o.LinkColor = "Grey";
               o.VisitedLinkColor = "";
               o.BGColor = "white";
           })
        << QByteArrayList{R"(<body bgcolor="" link="" alink="" vlink="">)",
                          R"(<font face="sans-serif">)", R"(<p><font size=5 color="">)",
                          R"(      <font size=2 color="" face="sans-serif">)"};
    QTest::newRow("sizes and face as held")
        << Options([](PageOptions &o) {
               o.HeaderColor = "Navy";
               o.HeaderSize = "";
               o.BodySize = "+1 x";
               o.LinkColor = "Red";
               o.FontStyle = "Times \"New\" Roman";
           })
        << QByteArrayList{
               R"(<body bgcolor="#FFFFFF" link="#FF0000" alink="#FF0000" vlink="#228B22">)",
               R"(<font face="Times "New" Roman">)", R"(<p><font size= color="#000080">)",
               R"(      <font size=+1 x color="#000000" face="Times "New" Roman">)"};
}

void tst_page::optionTexts()
{
    QFETCH(PageOptions, options);
    QFETCH(QByteArrayList, lines);
    Globals().pageOptions = options;
    AddItem("a", 2);
    AddItem("b", 1);

    const QList<QByteArray> page = LinesOf(CurrentPage());

    QCOMPARE((QByteArrayList{page[2], page[3], page[4], page[8 + 5]}), lines);
    QCOMPARE(page[8 + 13 + 5], lines[3]);
}

void tst_page::longPageInPieces()
{
    // Over a megabyte, so the page is written in several pieces, with references at their seams.
    const int count = 3000;
    for (int i = 0; i < count; ++i) {
        const QString n = QString::number(i).rightJustified(4, u'0');
        AddItem("é" + n + "😀", 2, "", QString(300, u'-') + "€" + n);
    }

    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    const QList<QByteArray> lines = LinesOf(ReadAll(PagePath()));
    QCOMPARE(lines.size(), 12 + 13 * count);
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(4, '0');
        QCOMPARE(lines[8 + 13 * i + 6], AsWritten("      <b>&#233;" + n + "&#128512;</b><br>"));
        QCOMPARE(lines[8 + 13 * i + 8],
                 AsWritten("      Description: " + QByteArray(300, '-') + "&#8364;" + n));
    }
    QCOMPARE(lines.last(), "</html>");
}

void tst_page::replacesTheOldPage_data()
{
    QTest::addColumn<QString>("folder"); // the program's, below the test's own

    QTest::newRow("program folder") << QString();
    // Windows' code pages for western languages have no Cyrillic letters.
    QTest::newRow("folder named in Cyrillic letters") << QStringLiteral("Дмитрий");
}

void tst_page::replacesTheOldPage()
{
    QFETCH(QString, folder);
    const QString programDir = dir->filePath(folder);
    QVERIFY(QDir().mkpath(programDir));
    SetProgramDirForTests(programDir);
    AddItem("a", 3, "http://example.com", "d");
    QFile old(PagePath()); // longer than the new page, which must leave nothing of it
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100000, 'x')) == 100000);
    old.close();

    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    QCOMPARE(ReadAll(PagePath()), CurrentPage());
    QCOMPARE(QDir(programDir).entryList(QDir::Files), QStringList{"To-Do.htm"});
    if (!folder.isEmpty())
        QVERIFY(CurrentPage().contains("&#1044;&#1084;&#1080;&#1090;&#1088;&#1080;&#1081;"));
}

void tst_page::failure_data()
{
    QTest::addColumn<Failure>("failure");

    QTest::newRow("a folder where the page goes") << Failure::PageIsFolder;
    QTest::newRow("program folder is a file") << Failure::FolderIsFile;
    QTest::newRow("write cut short") << Failure::FileSizeLimit;
    QTest::newRow("installed, data folder is a file") << Failure::DataFolderIsFile;
    QTest::newRow("a folder where a picture's copy goes") << Failure::PictureCopyIsFolder;
}

void tst_page::failure()
{
    QFETCH(Failure, failure);
    const QByteArray oldPage = "old page";
    QString blocked = PagePath(); // what must survive untouched
    switch (failure) {
    case Failure::PageIsFolder:
        QVERIFY(QDir(dir->path()).mkdir("To-Do.htm"));
        break;
    case Failure::FolderIsFile:
        blocked = dir->filePath("not a folder");
        SetProgramDirForTests(blocked);
        break;
    case Failure::FileSizeLimit:
        if (OnWindows)
            QSKIP("no per-process file-size limit on Windows");
        for (int i = 0; i < 100; ++i)
            AddItem(QString::number(i), 3);
        break;
    case Failure::DataFolderIsFile:
        if (OnWindows)
            QSKIP("on Windows the data folder is the scratch user's, not one the test chooses");
        blocked = dir->filePath("not a folder");
        Install(blocked);
        break;
    case Failure::PictureCopyIsFolder:
        Install(dir->filePath("data"));
        UsePageFolder(dir->filePath("handed"));
        QVERIFY(QDir().mkpath(dir->filePath("handed/med.gif")));
        blocked = PagePath();
        break;
    }
    if (failure != Failure::PageIsFolder) {
        QFile file(blocked);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldPage);
    }
    const QStringList before = QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);

    bool written = true;
    QString reason;
    if (failure == Failure::FileSizeLimit) {
        const FileSizeLimit fullDisk(4096);
        QVERIFY(fullDisk.Active());
        written = WritePage(reason);
    } else {
        written = WritePage(reason);
    }

    QVERIFY(!written);
    QVERIFY2(!reason.isEmpty() && reason != "Unknown error", qPrintable(reason));
    if (failure == Failure::PictureCopyIsFolder)
        QVERIFY2(reason.startsWith(PictureFile("med.gif") + ": "), qPrintable(reason));
    QCOMPARE(QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    if (failure == Failure::PageIsFolder)
        QVERIFY(QFileInfo(blocked).isDir());
    else
        QCOMPARE(ReadAll(blocked), oldPage);
}

void tst_page::installedPageMakesTheDataFolder()
{
    Install(dir->filePath("data/not made yet"));
    // On Windows the data folder is the scratch user's for the whole suite.
    QVERIFY(QDir(dataFolder + "/Tavrel").removeRecursively());
    AddItem("Check train times", 3);

    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    QCOMPARE(PagePath(), QDir::toNativeSeparators(dataFolder + "/Tavrel/To-Do.htm"));
    const QString picture = QDir::toNativeSeparators(
        InstalledPictureFolder(dir->filePath("usr/bin")) + QStringLiteral("/high.gif"));
    QVERIFY(ReadAll(PagePath()).contains("<img src=\"" + picture.toUtf8() + '"'));
}

// The page in a folder the run handed over, as for a sandboxed browser: the pictures there are
// copies, made or mended as needed, and left alone when they are the program's.
void tst_page::picturesCopiedBesideHandedFolder_data()
{
    QTest::addColumn<QByteArray>("copyBefore"); // null: no copy yet
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("missing") << QByteArray() << true;
    QTest::newRow("differs") << QByteArray("GIF87a") << true;
    QTest::newRow("the same") << QByteArray("GIF89a") << false;
}

void tst_page::picturesCopiedBesideHandedFolder()
{
    QFETCH(QByteArray, copyBefore);
    QFETCH(bool, rewritten);

    Install(dir->filePath("data"));
    const QString handed = dir->filePath("handed");
    UsePageFolder(handed);
    const QDateTime longAgo = QDateTime::currentDateTime().addDays(-1);
    QVERIFY(QDir().mkpath(handed));
    for (const char *name : {"high.gif", "med.gif", "low.gif"}) {
        QFile copy(handed + u'/' + QLatin1String(name));
        if (!copyBefore.isNull()) {
            QVERIFY(copy.open(QIODevice::WriteOnly) && copy.write(copyBefore) == copyBefore.size());
            QVERIFY(copy.flush() && copy.setFileTime(longAgo, QFileDevice::FileModificationTime));
        }
    }

    QString reason;
    QVERIFY2(WritePage(reason), qPrintable(reason));

    for (const char *name : {"high.gif", "med.gif", "low.gif"}) {
        const QString copy = handed + u'/' + QLatin1String(name);
        QCOMPARE(ReadAll(copy), "GIF89a");
        QCOMPARE(QFileInfo(copy).lastModified() != longAgo, rewritten);
    }
}

TAVREL_TEST_GUILESS_MAIN(tst_page)
#include "tst_page.moc"
