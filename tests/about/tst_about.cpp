#include "EggStep.h"
#include "ScratchUser.h"
#include "WindowSupport.h"
#include "frmAbout.h"
#include "frmEasterEgg.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class tst_about : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void cornerClicks_data();
    void cornerClicks();
    void waysOfClosing_data();
    void waysOfClosing();
    void pressDraggedOffIsNoClick();
    void hiddenBoxesSitInTheCorners();
    void screenReaderNames();
    void aboutTexts_data();
    void aboutTexts();
    void titleFitsItsLine();

    void eggWindow();
    void eggClosedThenShownAgainAtOnce();
    void eggOutlivesOtherWindows();
};

namespace {

QPushButton *OkButton(const frmAbout &about)
{
    return about.findChild<QPushButton *>(QStringLiteral("cmdOK"));
}

} // namespace

void tst_about::cleanup()
{
    QCOMPARE(CloseLeftOpenWindows(), QStringList());
}

void tst_about::cornerClicks_data()
{
    QTest::addColumn<QList<int>>("corners");
    QTest::addColumn<int>("step");

    QTest::newRow("no clicks") << QList<int>{} << 0;
    QTest::newRow("in order") << QList<int>{1, 2, 3} << 3;
    QTest::newRow("stray bottom-right before top-right") << QList<int>{1, 3, 2, 3} << 3;
    QTest::newRow("repeats count once") << QList<int>{1, 1, 2, 2} << 2;
    QTest::newRow("top-right first counts nothing") << QList<int>{2, 3} << 0;
    QTest::newRow("top-left again does not reset") << QList<int>{1, 2, 1, 3} << 3;
    QTest::newRow("wrong start, then in order") << QList<int>{3, 2, 1, 2, 3} << 3;
    QTest::newRow("clicks after completing") << QList<int>{1, 2, 3, 1, 2, 3} << 3;
}

void tst_about::cornerClicks()
{
    QFETCH(QList<int>, corners);
    QFETCH(int, step);

    frmAbout about;
    about.show();
    QCOMPARE(about.EggStep(), qint16(0));
    ClickCorners(about, corners);
    QCOMPARE(about.EggStep(), qint16(step));

    QTest::mouseClick(OkButton(about), Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.EggFound(), step == EggComplete);
    if (about.EggFound())
        QCOMPARE(about.EggStep(), qint16(0)); // spent on firing
}

void tst_about::waysOfClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("found");

    // OK is both the default and the cancel button; only the close box bypasses it.
    QTest::newRow("OK button") << "OK" << true;
    QTest::newRow("Enter") << "Enter" << true;
    QTest::newRow("Esc") << "Esc" << true;
    QTest::newRow("close box") << "close box" << false;
}

void tst_about::waysOfClosing()
{
    QFETCH(QString, how);
    QFETCH(bool, found);

    frmAbout about;
    about.show();
    ClickCorners(about, {1, 2, 3});
    QCOMPARE(about.EggStep(), EggComplete);
    if (how == u"OK")
        QTest::mouseClick(OkButton(about), Qt::LeftButton);
    else if (how == u"Enter")
        QTest::keyClick(&about, Qt::Key_Return);
    else if (how == u"Esc")
        QTest::keyClick(&about, Qt::Key_Escape);
    else
        QVERIFY(about.close());

    QVERIFY(!about.isVisible());
    QCOMPARE(about.EggFound(), found);
}

void tst_about::pressDraggedOffIsNoClick()
{
    frmAbout about;
    about.show();
    QWidget *corner = about.findChild<QWidget *>(QStringLiteral("cmd1"));
    QVERIFY(corner);
    QTest::mousePress(corner, Qt::LeftButton);
    QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(about.EggStep(), qint16(0));
    QTest::mouseClick(corner, Qt::RightButton);
    QCOMPARE(about.EggStep(), qint16(0));
}

void tst_about::screenReaderNames()
{
    frmAbout about;
    about.show();
    QCOMPARE(UnnamedControls(&about), QStringList());
    frmEasterEgg egg;
    egg.show();
    QCOMPARE(UnnamedControls(&egg), QStringList());
}

void tst_about::hiddenBoxesSitInTheCorners()
{
    frmAbout about;
    const QRect client = about.rect();
    const QList<QPair<QString, QPoint>> corners{
        {QStringLiteral("cmd1"), client.topLeft()},
        {QStringLiteral("cmd2"), client.topRight()},
        {QStringLiteral("cmd3"), client.bottomRight()},
    };
    for (const auto &[name, point] : corners) {
        QWidget *box = about.findChild<QWidget *>(name);
        QVERIFY(box);
        QVERIFY2(box->geometry().contains(point), qPrintable(name));
        QCOMPARE(box->size(), QSize(17, 17));
        QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
    }
}

void tst_about::aboutTexts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");

    QTest::newRow("caption") << "frmAbout"
                             << "About Tavrel List Manager";
    QTest::newRow("OK") << "cmdOK"
                        << "OK";
    QTest::newRow("title") << "lblTitle"
                           << "Tavrel List Manager";
    QTest::newRow("version, no revision")
        << "lblVersion"
        << QStringLiteral("Version %1.%2").arg(TAVREL_VERSION_MAJOR).arg(TAVREL_VERSION_MINOR);
    QTest::newRow("description") << "lblDescription"
                                 << "This program allows you to manage a list of items that you "
                                    "need to do online, and then generate a HTML document from "
                                    "the list that can be displayed in a web browser.";
}

void tst_about::aboutTexts()
{
    QFETCH(QString, control);
    QFETCH(QString, text);

    frmAbout about;
    QString shown;
    if (control == u"frmAbout")
        shown = about.windowTitle();
    else if (auto *label = about.findChild<QLabel *>(control))
        shown = label->text();
    else if (auto *button = about.findChild<QPushButton *>(control))
        shown = button->text();
    QCOMPARE(shown, text);
    if (control == u"cmdOK")
        QCOMPARE(OkButton(about)->toolTip(), QStringLiteral(" Enough with the boring stuff! "));
}

void tst_about::titleFitsItsLine()
{
    frmAbout about;
    auto *title = about.findChild<QLabel *>(QStringLiteral("lblTitle"));
    QVERIFY(title);
    QVERIFY(title->font().pointSizeF() >= 8);
    QVERIFY(QFontMetrics(title->font()).horizontalAdvance(title->text()) <= title->width());
}

void tst_about::eggWindow()
{
    QPointer<frmEasterEgg> egg = ShowEasterEgg();
    QVERIFY(egg);
    QCOMPARE(egg->windowTitle(), QStringLiteral("Easter Egg"));
    QCOMPARE(egg->size(), QSize(343, 425));
    QCOMPARE(egg->minimumSize(), egg->maximumSize());
    QVERIFY(!egg->windowIcon().isNull());
    QVERIFY(!(egg->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    auto *picture = egg->findChild<QLabel *>(QStringLiteral("Picture1"));
    QVERIFY(picture);
    QCOMPARE(picture->pixmap().size(), QSize(640, 480));
    QVERIFY(picture->width() > egg->width() && picture->height() > egg->height());

    auto *caption = egg->findChild<QLabel *>(QStringLiteral("lblCaption"));
    QVERIFY(caption);
    QVERIFY(caption->text().contains(u"Tavrel"));
    QVERIFY(caption->font().bold());
    QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(Qt::white));
    // Wrapped, the credit still fits its box.
    QVERIFY(
        QFontMetrics(caption->font())
            .boundingRect(QRect(0, 0, caption->width(), 10000), Qt::TextWordWrap, caption->text())
            .height() <= caption->height());

    auto *copyright = egg->findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(copyright);
    QVERIFY(copyright->text().contains(u"Tavrel"));
    QCOMPARE(copyright->palette().color(QPalette::WindowText), QColor(192, 192, 192));

    auto *ok = egg->findChild<QPushButton *>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK, I better get back to work now!"));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!egg || !egg->isVisible());
    QTRY_VERIFY(egg.isNull());
}

void tst_about::eggClosedThenShownAgainAtOnce()
{
    QPointer<frmEasterEgg> closed = ShowEasterEgg();
    closed->close(); // deleted only once the event loop runs again
    QPointer<frmEasterEgg> shown = ShowEasterEgg();
    QVERIFY(shown != closed);
    QTRY_VERIFY(closed.isNull());
    QVERIFY(shown && shown->isVisible());
    shown->close();
    QTRY_VERIFY(shown.isNull());
}

void tst_about::eggOutlivesOtherWindows()
{
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    QVERIFY(lastClosed.isValid());
    QWidget mainWindow;
    mainWindow.setObjectName(QStringLiteral("main"));
    mainWindow.show();
    QPointer<frmEasterEgg> egg = ShowEasterEgg();

    QVERIFY(mainWindow.close());
    QVERIFY(egg && egg->isVisible());
    QCOMPARE(lastClosed.size(), 0);

    // The egg counts among the windows whose closing ends the program.
    QVERIFY(egg->testAttribute(Qt::WA_QuitOnClose));
    egg->close();
    QTRY_VERIFY(egg.isNull());
}

TAVREL_TEST_MAIN(tst_about)
#include "tst_about.moc"
