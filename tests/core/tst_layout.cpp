#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "TestSeams.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A program in <root>/usr/bin, whose install would put its pictures in <root>/usr/share/tavrel
// (<root>/usr/bin/share/tavrel on Windows), run by a user whose home is <root>/home (on Windows,
// with the scratch user's data folder). The suite has a process of its own, so the environment
// is left as the last case set it.
class tst_layout : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void folders_data();
    void folders();

private:
    std::unique_ptr<QTemporaryDir> root;
};

void tst_layout::init()
{
    root = std::make_unique<QTemporaryDir>();
    QVERIFY(root->isValid());
    qputenv("HOME", QFile::encodeName(root->filePath("home")));
    UsePageFolder({});
}

void tst_layout::folders_data()
{
    QTest::addColumn<QStringList>("pictureFolders");
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("expectedPictures");
    QTest::addColumn<bool>("pageInDataFolder"); // else beside the program
    QTest::addColumn<QString>("handed");        // the page's folder from the run; empty: none

    const QString bin = QStringLiteral("usr/bin");
    const QString share = InstalledPictureFolder(bin);
    const QString data = QStringLiteral("data");

    const QString none;
    const QString sandbox = QStringLiteral("home/snap/firefox/common/Tavrel");
    QTest::newRow("beside the program") << QStringList{bin} << data << bin << false << none;
    QTest::newRow("beside wins over an install")
        << QStringList{bin, share} << data << bin << false << none;
    QTest::newRow("installed") << QStringList{share} << data << share << true << none;
    QTest::newRow("installed, no XDG_DATA_HOME")
        << QStringList{share} << QString() << share << true << none;
    QTest::newRow("pictures nowhere") << QStringList{} << data << bin << false << none;
    QTest::newRow("installed, handed a folder")
        << QStringList{share} << data << share << true << sandbox;
    QTest::newRow("beside, handed a folder") << QStringList{bin} << data << bin << false << sandbox;
}

void tst_layout::folders()
{
    QFETCH(QStringList, pictureFolders);
    QFETCH(QString, dataHome);
    QFETCH(QString, expectedPictures);
    QFETCH(bool, pageInDataFolder);
    QFETCH(QString, handed);

    for (const QString &folder : pictureFolders)
        QVERIFY(PutPictures(root->filePath(folder)));
    const QString dataFolder =
        UseDataFolder(dataHome.isEmpty() ? dataHome : root->filePath(dataHome));
    SetProgramDirForTests(root->filePath(QStringLiteral("usr/bin")));
    if (!handed.isEmpty())
        UsePageFolder(root->filePath(handed));

    const QString pageFolder = !handed.isEmpty()  ? root->filePath(handed)
                               : pageInDataFolder ? dataFolder + QStringLiteral("/Tavrel")
                                                  : root->filePath(QStringLiteral("usr/bin"));
    QCOMPARE(OwnPictureFolder(), QDir::toNativeSeparators(root->filePath(expectedPictures)));
    QCOMPARE(PictureFolder(),
             handed.isEmpty() ? OwnPictureFolder() : QDir::toNativeSeparators(pageFolder));
    QCOMPARE(PagePath(), QDir::toNativeSeparators(pageFolder + QStringLiteral("/To-Do.htm")));
}

TAVREL_TEST_GUILESS_MAIN(tst_layout)
#include "tst_layout.moc"
