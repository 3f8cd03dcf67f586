#include "MessageBox.h"
#include "ModuleMain.h"
#include "ProgramLayout.h"
#include "ScratchBrowser.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "TestSeams.h"
#include "WindowSupport.h"
#include "frmAbout.h"
#include "frmEasterEgg.h"
#include "frmOptions.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

class tst_options : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadShowsStoredText_data();
    void loadShowsStoredText();
    void okStoresShownText_data();
    void okStoresShownText();
    void okTakesEveryChangedControl();
    void closingWithoutOkChangesNothing_data();
    void closingWithoutOkChangesNothing();
    void enterAndEscDoNotCloseTheDialog();
    void internetExplorerNeedsTheBrowser_data();
    void internetExplorerNeedsTheBrowser();
    void greyedInternetExplorerLeavesStartPageAlone();
    void okWithInternetExplorerTickedSetsStartPage();
    void failedStartPageIsShown();
    void listsHoldTheirEntries();
    void captionsAndToolTips_data();
    void captionsAndToolTips();
    void tabOrder();
    void screenReaderNames();
    void aboutBoxOutcome_data();
    void aboutBoxOutcome();
    void eggTwiceShowsOneWindow();

private:
    QList<Message> messages;
    std::optional<ScratchBrowser> browser;
};

namespace {

const QStringList TextFields{
    QStringLiteral("RunBefore"),  QStringLiteral("GenerateOnClose"),  QStringLiteral("HeaderColor"),
    QStringLiteral("HeaderSize"), QStringLiteral("BodyColor"),        QStringLiteral("BodySize"),
    QStringLiteral("LinkColor"),  QStringLiteral("VisitedLinkColor"), QStringLiteral("BGColor"),
    QStringLiteral("FontStyle"),  QStringLiteral("OldIEHome"),
};
const QStringList NumberFields{QStringLiteral("HomeInNetscape"), QStringLiteral("IEHomeSet")};

QString *TextField(PageOptions &options, const QString &field)
{
    QString *const fields[] = {
        &options.RunBefore,  &options.GenerateOnClose,  &options.HeaderColor,
        &options.HeaderSize, &options.BodyColor,        &options.BodySize,
        &options.LinkColor,  &options.VisitedLinkColor, &options.BGColor,
        &options.FontStyle,  &options.OldIEHome,
    };
    const qsizetype at = TextFields.indexOf(field);
    return at < 0 ? nullptr : fields[at];
}

qint16 *NumberField(PageOptions &options, const QString &field)
{
    if (field == u"HomeInNetscape")
        return &options.HomeInNetscape;
    if (field == u"IEHomeSet")
        return &options.IEHomeSet;
    return nullptr;
}

void Store(PageOptions &options, const QString &field, const QString &value)
{
    if (QString *text = TextField(options, field))
        *text = value;
    else if (qint16 *number = NumberField(options, field))
        *number = qint16(value.toShort());
    else
        qFatal("no option field %s", qPrintable(field));
}

QString Stored(PageOptions options, const QString &field)
{
    if (QString *text = TextField(options, field))
        return *text;
    if (qint16 *number = NumberField(options, field))
        return QString::number(*number);
    qFatal("no option field %s", qPrintable(field));
}

// The names of the fields in which two sets of options differ.
QStringList Differences(const PageOptions &a, const PageOptions &b)
{
    QStringList differ;
    for (const QString &field : TextFields + NumberFields) {
        if (Stored(a, field) != Stored(b, field))
            differ << field;
    }
    return differ;
}

// What a control shows: a list's selected entry, or whether a box or option button is ticked.
QString Shown(const QWidget *control)
{
    if (const auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentIndex() < 0 ? QStringLiteral("(none)") : list->currentText();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->isChecked() ? QStringLiteral("ticked") : QStringLiteral("clear");
    return QStringLiteral("(unknown control)");
}

template <typename T = QWidget> T *Control(const QWidget &form, const QString &name)
{
    return form.findChild<T *>(name);
}

// Moves each list one entry on (back, at the last entry) and flips every box and option
// button, all through the controls themselves.
void ChangeEveryControl(const QWidget &dialog)
{
    for (QComboBox *list : dialog.findChildren<QComboBox *>()) {
        const bool atEnd = list->currentIndex() + 1 >= list->count();
        QTest::keyClick(list, atEnd ? Qt::Key_Up : Qt::Key_Down);
    }
    for (const char *name : {"chkExitGenerate", "chkIE", "chkNetscape", "optSerif"})
        Click(dialog, QString::fromLatin1(name));
}

QList<frmEasterEgg *> EggWindows()
{
    QList<frmEasterEgg *> eggs;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *egg = qobject_cast<frmEasterEgg *>(window); egg && egg->isVisible())
            eggs << egg;
    }
    return eggs;
}

// Opens the About box from the dialog and runs handle on it while it is up. Whatever handle
// leaves open is closed, so that no test waits on a modal box.
bool WithAboutBox(QWidget &dialog, const std::function<void(frmAbout &)> &handle)
{
    bool seen = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        if (!about)
            return;
        seen = true;
        handle(*about);
        if (about->isVisible())
            about->reject();
    });
    Click(dialog, QStringLiteral("cmdAbout"));
    return seen;
}

} // namespace

void tst_options::init()
{
    ResetGlobals();
    QVERIFY(WriteStore({}));
    browser.reset();
    browser.emplace();
    messages.clear();
    SetMessageSink([this](const Message &message) { messages << message; });
}

void tst_options::cleanup()
{
    SetMessageSink({});
    QCOMPARE(CloseLeftOpenWindows(), QStringList());
}

void tst_options::loadShowsStoredText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");

    using Cases = std::initializer_list<std::pair<const char *, const char *>>;
    const auto rows = [](const char *field, const char *control, Cases cases) {
        for (const auto &[stored, shown] : cases) {
            QTest::addRow("%s \"%s\"", field, stored)
                << QString::fromLatin1(field) << QString::fromUtf8(stored)
                << QString::fromLatin1(control) << QString::fromUtf8(shown);
        }
    };
    const char *none = "(none)";
    // A size is the whole text read as a number n, at list position n - 1 rounded half to
    // even; anything that gives no position in the list selects nothing.
    rows("HeaderSize", "cmbHeaderSize",
         {{"5", "5"},
          {"1", "1"},
          {"7", "7"},
          {"0", none},
          {"8", none},
          {"-2", none},
          {"abc", none},
          {"3px", none},
          {"", none},
          {"2.5", "3"},
          {"3.5", "3"},
          {" 3", "3"},
          {"1e300", none}});
    rows("BodySize", "cmbBodySize", {{"2", "2"}, {"big", none}});
    // A colour name not in the table, compared exactly, shows as the first entry.
    rows("HeaderColor", "cmbHeaderColor", {{"Red", "Red"}, {"black", "Black"}, {"Grey", "Black"}});
    rows("BodyColor", "cmbBodyColor", {{"Maroon", "Maroon"}, {"", "Black"}});
    rows("LinkColor", "cmbLinkColor", {{"Fuchsia", "Fuchsia"}});
    rows("VisitedLinkColor", "cmbVisitedLinkColor", {{"Aqua", "Aqua"}});
    rows("BGColor", "cmbBackColor", {{"White", "White"}, {"white", "Black"}});
    rows("GenerateOnClose", "chkExitGenerate", {{"True", "ticked"}, {"true", "clear"}});
    rows("FontStyle", "optSerif", {{"serif", "ticked"}});
    rows("FontStyle", "optSansSerif",
         {{"Serif", "ticked"}, {"monospace", "ticked"}, {"", "ticked"}});
    rows("IEHomeSet", "chkIE", {{"1", "ticked"}, {"0", "clear"}});
    rows("HomeInNetscape", "chkNetscape", {{"1", "ticked"}, {"0", "clear"}, {"-1", "ticked"}});
}

void tst_options::loadShowsStoredText()
{
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, control);
    QFETCH(QString, shown);

    Store(Globals().pageOptions, field, stored);
    frmOptions dialog;
    QWidget *widget = Control(dialog, control);
    QVERIFY(widget);
    QCOMPARE(Shown(widget), shown);
}

void tst_options::okStoresShownText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("afterOk");

    const char *const rows[][3] = {
        {"HeaderSize", "5", "5"},
        {"HeaderSize", "0", ""}, // no selection stores the empty text
        {"BodySize", "abc", ""},
        {"BodySize", "2.5", "3"},
        {"HeaderColor", "black", "Black"},
        {"BGColor", "Grey", "Black"},
        {"VisitedLinkColor", "Purple", "Purple"},
        {"FontStyle", "serif", "serif"},
        {"FontStyle", "Serif", "sans-serif"},
        {"FontStyle", "cursive", "sans-serif"},
        {"GenerateOnClose", "Yes", "False"},
        {"HomeInNetscape", "-1", "1"},
    };
    for (const auto &[field, stored, afterOk] : rows) {
        QTest::addRow("%s \"%s\"", field, stored)
            << QString::fromLatin1(field) << QString::fromUtf8(stored)
            << QString::fromUtf8(afterOk);
    }
}

void tst_options::okStoresShownText()
{
    QFETCH(QString, field);
    QFETCH(QString, stored);
    QFETCH(QString, afterOk);

    PageOptions &options = Globals().pageOptions;
    Store(options, field, stored);
    const PageOptions before = options;
    frmOptions dialog;
    dialog.show();
    Click(dialog, QStringLiteral("cmdDone"));

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Stored(options, field), afterOk);
    // The defaults around the field survive OK unchanged.
    QStringList changed = Differences(before, options);
    changed.removeAll(field);
    QCOMPARE(changed, QStringList());
    QCOMPARE(messages.size(), 0);
}

void tst_options::okTakesEveryChangedControl()
{
    frmOptions dialog;
    dialog.show();
    ChangeEveryControl(dialog);
    Click(dialog, QStringLiteral("cmdDone"));

    const PageOptions &options = Globals().pageOptions;
    QCOMPARE(options.GenerateOnClose, QStringLiteral("False"));
    QCOMPARE(options.HeaderSize, QStringLiteral("6"));
    QCOMPARE(options.HeaderColor, QStringLiteral("Maroon"));
    QCOMPARE(options.BodySize, QStringLiteral("3"));
    QCOMPARE(options.BodyColor, QStringLiteral("Maroon"));
    QCOMPARE(options.LinkColor, QStringLiteral("Fuchsia"));
    QCOMPARE(options.VisitedLinkColor, QStringLiteral("Olive"));
    QCOMPARE(options.BGColor, QStringLiteral("Aqua"));
    QCOMPARE(options.FontStyle, QStringLiteral("serif"));
    QCOMPARE(options.HomeInNetscape, qint16(0));
    QCOMPARE(options.IEHomeSet, qint16(0)); // no browser: the box could not be ticked
}

void tst_options::closingWithoutOkChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("close box") << "close box";
}

void tst_options::closingWithoutOkChangesNothing()
{
    QFETCH(QString, how);

    QVERIFY(browser->Install()); // so that the start-page box changes too
    PageOptions &options = Globals().pageOptions;
    options.FontStyle = QStringLiteral("Serif");
    options.HeaderSize = QStringLiteral("0");
    options.OldIEHome = QStringLiteral("http://before.example/");
    const PageOptions before = options;

    frmOptions dialog;
    dialog.show();
    ChangeEveryControl(dialog);
    QCOMPARE(Shown(Control(dialog, QStringLiteral("chkIE"))), QStringLiteral("ticked"));
    if (how == u"Cancel")
        Click(dialog, QStringLiteral("cmdCancel"));
    else
        QVERIFY(dialog.close());

    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(Differences(before, options), QStringList());
    QVERIFY(!browser->ShowsThePage());
}

void tst_options::enterAndEscDoNotCloseTheDialog()
{
    const PageOptions before = Globals().pageOptions;
    frmOptions dialog;
    dialog.show();
    ChangeEveryControl(dialog);

    // No button is a default or cancel button, however the focus stands.
    for (const char *name : {"cmdDone", "cmdCancel", "cmdAbout", "cmbHeaderSize"}) {
        QWidget *control = Control(dialog, QString::fromLatin1(name));
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(control, Qt::Key_Escape);
        QVERIFY2(dialog.isVisible(), name);
    }
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(Differences(before, Globals().pageOptions), QStringList());
    for (auto *button : dialog.findChildren<QPushButton *>())
        QVERIFY(!button->isDefault() && !button->autoDefault());
}

// The box says which browser it sets, the one chosen at the start; with none it is greyed out
// and says the platform's usual one.
void tst_options::internetExplorerNeedsTheBrowser_data()
{
    QTest::addColumn<int>("browser"); // a Browser; -1 none, -2 what uninstalled browsers leave
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    const auto texts = [](Browser browser) {
        return browser == Browser::InternetExplorer
                   ? QStringList{"Internet Explorer", " Only verified on versions 4-5 "}
                   : QStringList{"Firefox",
                                 " Makes the list Firefox's home page from Firefox's next start "};
    };
    const QStringList usual = texts(ScratchBrowser::Browsers().constFirst());
    QTest::newRow("no browser") << -1 << false << usual[0] << usual[1];
    QTest::newRow("left behind") << -2 << false << usual[0] << usual[1];
    const char *const names[] = {"Internet Explorer", "Firefox", "snap Firefox", "Flatpak Firefox"};
    for (const Browser b : ScratchBrowser::Browsers())
        QTest::newRow(names[int(b)]) << int(b) << true << texts(b)[0] << texts(b)[1];
}

void tst_options::internetExplorerNeedsTheBrowser()
{
    QFETCH(int, browser);
    QFETCH(bool, enabled);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);

    if (browser == -2)
        QVERIFY(this->browser->LeaveBehind());
    else if (browser >= 0)
        QVERIFY(this->browser->Install(Browser(browser)));
    Globals().pageOptions.IEHomeSet = 1;
    frmOptions dialog;
    auto *ie = Control<QCheckBox>(dialog, QStringLiteral("chkIE"));
    QVERIFY(ie);
    QCOMPARE(ie->isEnabled(), enabled);
    QVERIFY(ie->isChecked()); // greyed out, it still shows its value
    QCOMPARE(ie->text(), caption);
    QCOMPARE(ie->toolTip(), toolTip);
    QVERIFY(Control(dialog, QStringLiteral("chkNetscape"))->isEnabled());
}

void tst_options::greyedInternetExplorerLeavesStartPageAlone()
{
    Globals().pageOptions.IEHomeSet = 0;
    frmOptions dialog;
    dialog.show();
    Click(dialog, QStringLiteral("chkIE"));
    QCOMPARE(Shown(Control(dialog, QStringLiteral("chkIE"))), QStringLiteral("clear"));
    Click(dialog, QStringLiteral("cmdDone"));

    QCOMPARE(Globals().pageOptions.IEHomeSet, qint16(0));
    QVERIFY(browser->IsUntouched());
    QCOMPARE(messages.size(), 0);
}

void tst_options::okWithInternetExplorerTickedSetsStartPage()
{
    QVERIFY(browser->Install());
    PageOptions &options = Globals().pageOptions;
    options.IEHomeSet = 0;
    options.FontStyle = QStringLiteral("serif");
    frmOptions dialog;
    dialog.show();
    Click(dialog, QStringLiteral("chkIE"));
    Click(dialog, QStringLiteral("chkNetscape"));
    Click(dialog, QStringLiteral("cmdDone"));

    QCOMPARE(options.IEHomeSet, qint16(1));
    QVERIFY(browser->ShowsThePage());
    QCOMPARE(messages.size(), 0);
    // What OK takes over after the start page is taken over all the same.
    QCOMPARE(options.HomeInNetscape, qint16(0));
    QCOMPARE(options.FontStyle, QStringLiteral("serif"));
}

// The start-page steps only answer what went wrong; the dialog shows it, and closes all the same.
void tst_options::failedStartPageIsShown()
{
    QVERIFY(browser->Install());
    Globals().pageOptions.IEHomeSet = 0;
    frmOptions dialog;
    dialog.show();
    // Once the dialog has found the browser there, as a registry that refuses writes hides it.
    QVERIFY(browser->RefuseWrites(ScratchBrowser::Browsers().constFirst()));
    Click(dialog, QStringLiteral("chkIE"));
    Click(dialog, QStringLiteral("cmdDone"));

    QCOMPARE(Globals().pageOptions.IEHomeSet, qint16(0));
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].Title, "Error");
    QCOMPARE(messages[0].Icon, MessageIcon::Critical);
    QVERIFY(messages[0].Text.endsWith(QStringLiteral(" home page not set.")));
    QVERIFY(!dialog.isVisible());
}

void tst_options::listsHoldTheirEntries()
{
    frmOptions dialog;
    const QStringList colours{"Black",  "Maroon", "Green",   "Olive", "Navy", "Purple",
                              "Teal",   "Gray",   "Silver",  "Red",   "Lime", "Orange",
                              "Yellow", "Blue",   "Fuchsia", "Aqua",  "White"};
    const QStringList sizes{"1", "2", "3", "4", "5", "6", "7"};

    const auto entries = [](const QComboBox *list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    };
    for (const char *name : {"cmbHeaderSize", "cmbBodySize"})
        QCOMPARE(entries(Control<QComboBox>(dialog, QString::fromLatin1(name))), sizes);
    for (const char *name :
         {"cmbHeaderColor", "cmbBodyColor", "cmbBackColor", "cmbLinkColor", "cmbVisitedLinkColor"})
        QCOMPARE(entries(Control<QComboBox>(dialog, QString::fromLatin1(name))), colours);
    for (auto *list : dialog.findChildren<QComboBox *>())
        QVERIFY2(!list->isEditable(), qPrintable(list->objectName()));
}

void tst_options::captionsAndToolTips_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");

    const char *const rows[][3] = {
        {"frmOptions", "Options", ""},
        {"cmbHeaderSize", "", " Size of the header font (in HTML sizes) "},
        {"cmbHeaderColor", "", " Color of the header font "},
        {"cmbBodySize", "", " Size of the body font (in HTML sizes) "},
        {"cmbBodyColor", "", " Color of the body font "},
        {"optSerif", "Serif", " Put the text in a serif font. "},
        {"optSansSerif", "Sans-Serif", " Put the text in a sans-serif font. "},
        {"cmbBackColor", "", " Page's background color "},
        {"cmbLinkColor", "", " The color of links not yet visited "},
        {"cmbVisitedLinkColor", "", " The color of links you have already visited "},
        {"chkExitGenerate", "Generate page on exiting program",
         " Creates page automatically on exit if checked "},
        {"cmdDone", "OK", " Accept the current settings "},
        {"cmdCancel", "Cancel", " Revert to old settings "},
        {"cmdAbout", "About",
         " Gives information about the program (Don't forget to look for the Easter Egg!) "},
        {"chkNetscape", "Netscape Navigator", " Only verified on version 4-6 "},
        {"frameHeader", "Header Font", ""},
        {"frmBody", "Body Font", ""},
        {"frameStyle", "Font Style", ""},
        {"lblHeaderSize", "Size:", ""},
        {"lblHeaderColor", "Color:", ""},
        {"lblBodySize", "Size:", ""},
        {"lblBodyColor", "Color:", ""},
        {"lblBackColor", "Background Color:", ""},
        {"lblLink", "Link Color:", ""},
        {"lblVisitedLinkColor", "Visited Link Color:", ""},
        {"lblHomepage", "Make my To-Do list my home page in:", ""},
        {"lblNoteTitle", "Note:", ""},
        {"lblNoteText",
         "Font sizes are NOT in point.  They are the relative font size numbers used by HTML.", ""},
    };
    for (const auto &[control, caption, toolTip] : rows) {
        QTest::newRow(control) << QString::fromLatin1(control) << QString::fromUtf8(caption)
                               << QString::fromUtf8(toolTip);
    }
    // chkIE says the browser it sets: internetExplorerNeedsTheBrowser.
}

void tst_options::captionsAndToolTips()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);

    frmOptions dialog;
    QWidget *widget = control == u"frmOptions" ? &dialog : Control(dialog, control);
    QVERIFY(widget);
    QString text;
    if (widget == &dialog)
        text = dialog.windowTitle();
    else if (auto *button = qobject_cast<QAbstractButton *>(widget))
        text = button->text();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        text = label->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        text = frame->title();
    QCOMPARE(text, caption);
    QCOMPARE(widget->toolTip(), toolTip);
}

void tst_options::tabOrder()
{
    frmOptions dialog;
    const QStringList expected{
        "cmbHeaderSize", "cmbHeaderColor",  "cmbBodySize",
        "cmbBodyColor",  "optSerif",        "optSansSerif",
        "cmbBackColor",  "cmbLinkColor",    "cmbVisitedLinkColor",
        "chkIE",         "chkExitGenerate", "cmdDone",
        "cmdCancel",     "cmdAbout",        "chkNetscape",
    };
    QStringList order;
    QWidget *widget = Control(dialog, expected.first());
    QVERIFY(widget);
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != Control(dialog, expected.first()));
    QCOMPARE(order, expected);
}

void tst_options::screenReaderNames()
{
    frmOptions dialog;
    dialog.show();
    QCOMPARE(UnnamedControls(&dialog), QStringList());
}

void tst_options::aboutBoxOutcome_data()
{
    QTest::addColumn<QList<int>>("corners");
    QTest::addColumn<bool>("byCloseBox");
    QTest::addColumn<bool>("eggShown");

    QTest::newRow("OK at step 0") << QList<int>{} << false << false;
    QTest::newRow("OK at step 1") << QList<int>{1} << false << false;
    QTest::newRow("OK at step 2") << QList<int>{1, 2} << false << false;
    QTest::newRow("complete, then close box") << QList<int>{1, 2, 3} << true << false;
    QTest::newRow("complete in order") << QList<int>{1, 2, 3} << false << true;
    QTest::newRow("complete around a stray click") << QList<int>{1, 3, 2, 3} << false << true;
}

void tst_options::aboutBoxOutcome()
{
    QFETCH(QList<int>, corners);
    QFETCH(bool, byCloseBox);
    QFETCH(bool, eggShown);

    const PageOptions before = Globals().pageOptions;
    frmOptions dialog;
    dialog.show();
    ChangeEveryControl(dialog);

    QVERIFY(WithAboutBox(dialog, [&](frmAbout &about) {
        QCOMPARE(about.parentWidget(), &dialog);
        ClickCorners(about, corners);
        if (byCloseBox)
            about.close();
        else
            Click(about, QStringLiteral("cmdOK"));
        QVERIFY(!about.isVisible());
    }));

    QCOMPARE(Differences(before, Globals().pageOptions), QStringList());
    const QList<frmEasterEgg *> eggs = EggWindows();
    if (!eggShown) {
        QVERIFY(eggs.isEmpty());
        QVERIFY(dialog.isVisible());
        // The sequence starts afresh with the next About box.
        qint16 step = -1;
        QVERIFY(WithAboutBox(dialog, [&](frmAbout &about) { step = about.EggStep(); }));
        QCOMPARE(step, qint16(0));
        return;
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(eggs.size(), 1);
    QVERIFY(eggs.first()->isWindow());
    QCOMPARE(eggs.first()->parentWidget(), nullptr);
    QVERIFY(!eggs.first()->isModal());
    eggs.first()->close();
}

void tst_options::eggTwiceShowsOneWindow()
{
    QList<QPointer<frmEasterEgg>> shown;
    for (int time = 0; time < 2; ++time) {
        frmOptions dialog;
        dialog.show();
        QVERIFY(WithAboutBox(dialog, [](frmAbout &about) {
            ClickCorners(about, {1, 2, 3});
            Click(about, QStringLiteral("cmdOK"));
        }));
        QVERIFY(!dialog.isVisible());
        const QList<frmEasterEgg *> eggs = EggWindows();
        QCOMPARE(eggs.size(), 1);
        shown << eggs.first();
    }
    QCOMPARE(shown.at(1), shown.at(0));
    shown.first()->close();
}

TAVREL_TEST_MAIN(tst_options)
#include "tst_options.moc"
