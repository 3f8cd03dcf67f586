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
}

void tst_layout::folders_data()
{
    QTest::addColumn<QStringList>("pictureFolders");
    QTest::addColumn<QString>("dataHome");
    QTest::addColumn<QString>("expectedPictures");
    QTest::addColumn<bool>("pageInDataFolder"); // else beside the program

    const QString bin = QStringLiteral("usr/bin");
    const QString share = InstalledPictureFolder(bin);
    const QString data = QStringLiteral("data");

    QTest::newRow("beside the program") << QStringList{bin} << data << bin << false;
    QTest::newRow("beside wins over an install") << QStringList{bin, share} << data << bin << false;
    QTest::newRow("installed") << QStringList{share} << data << share << true;
    QTest::newRow("installed, no XDG_DATA_HOME")
        << QStringList{share} << QString() << share << true;
    QTest::newRow("pictures nowhere") << QStringList{} << data << bin << false;
}

void tst_layout::folders()
{
    QFETCH(QStringList, pictureFolders);
    QFETCH(QString, dataHome);
    QFETCH(QString, expectedPictures);
    QFETCH(bool, pageInDataFolder);

    for (const QString &folder : pictureFolders)
        QVERIFY(PutPictures(root->filePath(folder)));
    const QString dataFolder =
        UseDataFolder(dataHome.isEmpty() ? dataHome : root->filePath(dataHome));
    SetProgramDirForTests(root->filePath(QStringLiteral("usr/bin")));

    const QString pageFolder = pageInDataFolder ? dataFolder + QStringLiteral("/Tavrel")
                                                : root->filePath(QStringLiteral("usr/bin"));
    QCOMPARE(PictureFolder(), QDir::toNativeSeparators(root->filePath(expectedPictures)));
    QCOMPARE(PagePath(), QDir::toNativeSeparators(pageFolder + QStringLiteral("/To-Do.htm")));
}

TAVREL_TEST_GUILESS_MAIN(tst_layout)
#include "tst_layout.moc"
