#include "EditorRules.h"
#include "GeneratePage.h"
#include "MessageBox.h"
#include "ModuleMain.h"
#include "ProgramLayout.h"
#include "ScratchUser.h"
#include "SettingsStore.h"
#include "TestSeams.h"
#include "WindowSupport.h"
#include "frmMain.h"

#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray ThreeItems = "[Main]\nRunBefore=Yes\nNumEntries=3\n"
                              "[%201]\nName=cherry\nDescription=C\nURL=http://c\nPriority=1\n"
                              "[%202]\nName=apple\nDescription=A\nURL=http://a\nPriority=3\n"
                              "[%203]\nName=Banana\nDescription=B\nURL=\nPriority=2\n";
const QByteArray OddPriority = "[Main]\nRunBefore=Yes\nNumEntries=2\n"
                               "[%201]\nName=a\nURL=http://a\nPriority=7\n"
                               "[%202]\nName=b\nURL=http://b\nPriority=1\n";

} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void invalidURL_data();
    void invalidURL();
    void states_data();
    void states();
    void tabOrder();
    void screenReaderNames();
    void addReusesFreedSlot();
    void fullListRefusesAdd();
    void closeSavesTheList();
    void failedCloseSaveSaysSo();
    void closeWritesThePageFirst_data();
    void closeWritesThePageFirst();
    void generatePage_data();
    void generatePage();

private:
    template <typename T> T *Control(const char *name) const
    {
        T *control = window->findChild<T *>(QLatin1String(name));
        Q_ASSERT(control);
        return control;
    }
    void Perform(const QString &action);
    QString Snapshot() const;

    std::unique_ptr<frmMain> window;
    QStringList messages;
    QTemporaryDir programDir;
};

void tst_frmMain::initTestCase()
{
    QVERIFY(programDir.isValid());
}

void tst_frmMain::init()
{
    SetProgramDirForTests(programDir.path());
    SetMessageSink([this](const Message &m) {
        messages << m.Title + u':' + m.Text + (m.Icon == MessageIcon::Critical ? u'!' : u'i');
    });
    messages.clear();
    QFile::remove(PagePath());
    QDir(PagePath()).removeRecursively();
}

void tst_frmMain::cleanup()
{
    window.reset();
    ResetGlobals();
}

void tst_frmMain::invalidURL_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("invalid");

    QTest::newRow("empty") << "" << false;
    QTest::newRow("prefix alone") << "http://" << true;
    QTest::newRow("prefix and more") << "http://x" << false;
    QTest::newRow("prefix and a blank") << "http:// " << false;
    QTest::newRow("capitals") << "HTTP://x" << true;
    QTest::newRow("secure prefix") << "https://x" << true;
    QTest::newRow("bare host") << "www.example.org" << true;
    QTest::newRow("short") << "http:" << true;
    QTest::newRow("one character") << "h" << true;
    QTest::newRow("leading blank") << " http://x" << true;
}

void tst_frmMain::invalidURL()
{
    QFETCH(QString, url);
    QFETCH(bool, invalid);
    QCOMPARE(InvalidURL(url), invalid);
}

// Actions, separated by ';': new, edit, delete, generate (the buttons); name=, url=, desc=
// (typed into the field); prio=N (picked with the keyboard); click=N (a click on list row N).
void tst_frmMain::Perform(const QString &action)
{
    const qsizetype equals = action.indexOf(u'=');
    const QString verb = action.left(equals);
    const QString arg = equals < 0 ? QString() : action.mid(equals + 1);
    const auto type = [](QWidget *field, const QString &text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    };
    if (verb == u"new" || verb == u"edit" || verb == u"delete" || verb == u"generate") {
        QByteArray name = "cmd" + verb.toLatin1();
        name[3] = char(std::toupper(name[3]));
        QTest::mouseClick(Control<QPushButton>(name.constData()), Qt::LeftButton);
    } else if (verb == u"name") {
        type(Control<QLineEdit>("txtName"), arg);
    } else if (verb == u"url") {
        type(Control<QLineEdit>("txtURL"), arg);
    } else if (verb == u"desc") {
        type(Control<QPlainTextEdit>("txtDescription"), arg);
    } else if (verb == u"prio") {
        auto *box = Control<QComboBox>("cmbPriority");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < arg.toInt(); ++i)
            QTest::keyClick(box, Qt::Key_Down);
    } else if (verb == u"click") {
        auto *list = Control<QListView>("lstItems");
        const QRect row = list->visualRect(list->model()->index(arg.toInt(), 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
    }
}

QString tst_frmMain::Snapshot() const
{
    const auto button = [this](const char *name) {
        const QPushButton *b = Control<QPushButton>(name);
        return b->text() + u'/' + b->toolTip() + u'/' + QString::number(b->isEnabled());
    };
    const ModuleMain &g = Globals();
    const int selected = Control<QListView>("lstItems")->currentIndex().row();
    QStringList names;
    for (int i = 0; i < g.itemList->Count(); ++i)
        names << g.itemList->At(i).Name;
    QString record;
    if (selected >= 0) {
        const ItemRecord &r = g.itemTable.Slot(g.itemList->At(selected).Slot);
        record = QStringLiteral("%1|%2|%3").arg(QString::number(r.Priority), r.URL, r.Description);
    }
    // The four fields switch together: 1 when all are open (writable and white), 0 when all
    // are shut.
    const auto white = [this](const char *name, QPalette::ColorRole role) {
        return Control<QWidget>(name)->palette().color(role) == QColor(Qt::white);
    };
    const QList<bool> looks{
        !Control<QLineEdit>("txtName")->isReadOnly() && white("txtName", QPalette::Base),
        !Control<QPlainTextEdit>("txtDescription")->isReadOnly() &&
            white("txtDescription", QPalette::Base),
        !Control<QLineEdit>("txtURL")->isReadOnly() && white("txtURL", QPalette::Base),
        white("cmbPriority", QPalette::Button),
    };
    const QString open = looks.count(true) == looks.size() ? QStringLiteral("1")
                         : looks.contains(true)            ? QStringLiteral("mixed")
                                                           : QStringLiteral("0");
    const QWidget *focus = QApplication::focusWidget();
    return QStringList{
        QStringLiteral("N=") + button("cmdNew"),
        QStringLiteral("E=") + button("cmdEdit"),
        QStringLiteral("D=") + QString::number(Control<QPushButton>("cmdDelete")->isEnabled()),
        QStringLiteral("G=") + QString::number(Control<QPushButton>("cmdGenerate")->isEnabled()),
        QStringLiteral("open=") + open,
        QStringLiteral("sel=") + QString::number(selected),
        QStringLiteral("name=") + Control<QLineEdit>("txtName")->text(),
        QStringLiteral("desc=") + Control<QPlainTextEdit>("txtDescription")->toPlainText(),
        QStringLiteral("url=") + Control<QLineEdit>("txtURL")->text(),
        QStringLiteral("prio=") +
            QString::number(Control<QComboBox>("cmbPriority")->currentIndex()),
        QStringLiteral("list=") + names.join(u','),
        QStringLiteral("rec=") + record,
        QStringLiteral("focus=") + (focus ? focus->objectName() : QString()),
        QStringLiteral("msg=") + messages.join(u','),
    }
        .join(u' ');
}

void tst_frmMain::states_data()
{
    QTest::addColumn<QByteArray>("store");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("expected");

    const QString browsing = QStringLiteral(
        "N=New Item/ Add a new item to the list. /1 E=Edit Item/ Edit the current item. /1 D=1 "
        "G=1 open=0 ");
    const QString adding = QStringLiteral(
        "N=Add Item/ Add an item to the list. /1 E=Cancel/ Never mind. /1 D=0 G=0 open=1 ");
    const QString editing = QStringLiteral(
        "N=New Item/ Add a new item to the list. /0 E=Save Item/ Keep my changes! /1 D=0 G=0 "
        "open=1 ");
    const QString apple = QStringLiteral("sel=0 name=apple desc=A url=http://a prio=0 ");
    const QString abc = QStringLiteral("list=apple,Banana,cherry ");
    const QString newItem = QStringLiteral("name= desc= url=http:// prio=1 ");

    QTest::newRow("start with items")
        << ThreeItems << "" << browsing + apple + abc + "rec=3|http://a|A focus=txtName msg=";
    QTest::newRow("start empty")
        << QByteArray() << ""
        << "N=Add Item/ Add an item to the list. /1 E=Edit Item/ Edit the current item. /0 D=1 "
           "G=1 open=1 sel=-1 " +
               newItem + "list= rec= focus=txtName msg=";
    QTest::newRow("delete with nothing selected does nothing")
        << QByteArray() << "delete"
        << "N=Add Item/ Add an item to the list. /1 E=Edit Item/ Edit the current item. /0 D=1 "
           "G=1 open=1 sel=-1 " +
               newItem + "list= rec= focus=cmdDelete msg=";
    QTest::newRow("new item") << ThreeItems << "new"
                              << adding + "sel=0 " + newItem + abc +
                                     "rec=3|http://a|A focus=txtName msg=";
    QTest::newRow("add without a name")
        << ThreeItems << "new;desc=d;new"
        << adding + "sel=0 name= desc=d url=http:// prio=1 " + abc +
               "rec=3|http://a|A focus=cmdNew msg=Error:A name is required.!";
    QTest::newRow("add with the bare prefix")
        << ThreeItems << "new;name=x;new"
        << adding + "sel=0 name=x desc= url=http:// prio=1 " + abc +
               "rec=3|http://a|A focus=cmdNew msg=Error:Invalid URL.!";
    QTest::newRow("name is checked first")
        << ThreeItems << "new;url=ftp://x;new"
        << adding + "sel=0 name= desc= url=ftp://x prio=1 " + abc +
               "rec=3|http://a|A focus=cmdNew msg=Error:A name is required.!";
    QTest::newRow("add")
        << ThreeItems << "new;name=apricot;desc=two words;url=http://ap;prio=0;new"
        << browsing +
               "sel=1 name=apricot desc=two words url=http://ap prio=0 "
               "list=apple,apricot,Banana,cherry rec=3|http://ap|two words focus=cmdNew msg=";
    QTest::newRow("add with the address emptied and a blank name")
        << ThreeItems << "new;name= ;url=;prio=2;new"
        << browsing + "sel=0 name=  desc= url= prio=2 list= ,apple,Banana,cherry rec=1|| "
                      "focus=cmdNew msg=";
    QTest::newRow("cancel")
        << ThreeItems << "click=1;new;edit"
        << "N=New Item/ Add another item to the list. /1 E=Edit Item/ Edit the current item. /1 "
           "D=1 G=1 open=0 sel=1 name=Banana desc=B url= prio=1 " +
               abc + "rec=2||B focus=cmdEdit msg=";
    QTest::newRow("cancel shows the entry highlighted meanwhile")
        << ThreeItems << "new;name=typed;click=2;edit"
        << "N=New Item/ Add another item to the list. /1 E=Edit Item/ Edit the current item. /1 "
           "D=1 G=1 open=0 sel=2 name=cherry desc=C url=http://c prio=2 " +
               abc + "rec=1|http://c|C focus=cmdEdit msg=";
    QTest::newRow("clicks while adding move the highlight only")
        << ThreeItems << "new;name=typed;click=2"
        << adding + "sel=2 name=typed desc= url=http:// prio=1 " + abc +
               "rec=1|http://c|C focus=lstItems msg=";
    QTest::newRow("edit") << ThreeItems << "edit"
                          << editing + apple + abc + "rec=3|http://a|A focus=txtName msg=";
    QTest::newRow("clicks while editing move the highlight only")
        << ThreeItems << "edit;click=2"
        << editing + "sel=2 name=apple desc=A url=http://a prio=0 " + abc +
               "rec=1|http://c|C focus=lstItems msg=";
    QTest::newRow("save keeps the place and the tooltip")
        << ThreeItems << "click=1;new;edit;edit;name=zzz;desc=new;url=ftp://;prio=2;edit"
        << "N=New Item/ Add another item to the list. /1 E=Edit Item/ Edit the current item. /1 "
           "D=1 G=1 open=0 sel=1 name=zzz desc=new url=ftp:// prio=2 "
           "list=apple,zzz,cherry rec=1|ftp://|new focus=lstItems msg=";
    QTest::newRow("save with the name emptied")
        << ThreeItems << "edit;name=;edit"
        << browsing + "sel=0 name= desc=A url=http://a prio=0 list=,Banana,cherry "
                      "rec=3|http://a|A focus=lstItems msg=";
    QTest::newRow("save goes to the entry being edited")
        << ThreeItems << "edit;name=changed;click=2;edit"
        << browsing + "sel=0 name=changed desc=A url=http://a prio=0 list=changed,Banana,cherry "
                      "rec=3|http://a|A focus=lstItems msg=";
    QTest::newRow("delete selects the entry before")
        << ThreeItems << "click=2;delete"
        << browsing + "sel=1 name=Banana desc=B url= prio=1 list=apple,Banana rec=2||B "
                      "focus=lstItems msg=";
    QTest::newRow("delete the first selects the new first")
        << ThreeItems << "delete"
        << browsing + "sel=0 name=Banana desc=B url= prio=1 list=Banana,cherry rec=2||B "
                      "focus=lstItems msg=";
    QTest::newRow("delete the last entry")
        << ThreeItems << "delete;delete;delete"
        << "N=Add Item/ Add another item to the list. /1 E=Edit Item/ Edit the current item. /0 "
           "D=0 G=1 open=1 sel=-1 " +
               newItem + "list= rec= focus=txtName msg=";
    QTest::newRow("first add after the last delete")
        << ThreeItems << "delete;delete;delete;name=only;url=;new"
        << browsing + "sel=0 name=only desc= url= prio=1 list=only rec=2|| focus=cmdNew msg=";
    QTest::newRow("selection shows the item")
        << ThreeItems << "click=2"
        << browsing + "sel=2 name=cherry desc=C url=http://c prio=2 " + abc +
               "rec=1|http://c|C focus=lstItems msg=";
    QTest::newRow("shut fields take no typing")
        << ThreeItems << "name=xyz;url=u;desc=d;prio=2"
        << browsing + apple + abc + "rec=3|http://a|A focus=cmbPriority msg=";
    QTest::newRow("generate changes nothing")
        << ThreeItems << "generate"
        << browsing + apple + abc +
               "rec=3|http://a|A focus=cmdGenerate msg=Information:HTML has been generated.i";
    QTest::newRow("a stored priority outside 1..3 shows none")
        << OddPriority << ""
        << browsing + "sel=0 name=a desc= url=http://a prio=-1 list=a,b rec=7|http://a| "
                      "focus=txtName msg=";
    QTest::newRow("and keeps what the box showed before")
        << OddPriority << "click=1;click=0"
        << browsing + "sel=0 name=a desc= url=http://a prio=2 list=a,b rec=7|http://a| "
                      "focus=lstItems msg=";
    QTest::newRow("saving with no priority shown keeps the stored one")
        << OddPriority << "edit;edit"
        << browsing + "sel=0 name=a desc= url=http://a prio=-1 list=a,b rec=7|http://a| "
                      "focus=lstItems msg=";
}

void tst_frmMain::states()
{
    QFETCH(QByteArray, store);
    QFETCH(QString, actions);
    QFETCH(QString, expected);

    QVERIFY(OpenOnStore(window, store));
    for (const QString &action : actions.split(u';', Qt::SkipEmptyParts))
        Perform(action);
    QCOMPARE(Snapshot(), expected);
}

void tst_frmMain::tabOrder()
{
    QVERIFY(OpenOnStore(window, ThreeItems));
    Perform(QStringLiteral("edit")); // open fields: Tab must still leave the description
    const QStringList expected{QStringLiteral("txtDescription"), QStringLiteral("txtURL"),
                               QStringLiteral("cmbPriority"),    QStringLiteral("lstItems"),
                               QStringLiteral("cmdEdit"),        QStringLiteral("cmdOptions"),
                               QStringLiteral("txtName")};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
    QCOMPARE(Control<QPlainTextEdit>("txtDescription")->toPlainText(), QStringLiteral("A"));
}

void tst_frmMain::screenReaderNames()
{
    QVERIFY(OpenOnStore(window, ThreeItems));
    QCOMPARE(UnnamedControls(window.get()), QStringList());
    const auto *list = QAccessible::queryAccessibleInterface(Control<QListView>("lstItems"));
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Items"));
}

void tst_frmMain::addReusesFreedSlot()
{
    QVERIFY(OpenOnStore(window, ThreeItems));
    Perform(QStringLiteral("click=2")); // cherry, slot 1
    Perform(QStringLiteral("delete"));
    for (const char *action : {"new", "name=date", "url=", "desc=fresh", "prio=0", "new"})
        Perform(QString::fromLatin1(action));
    const ModuleMain &g = Globals();
    QCOMPARE(g.itemTable.UpperBound(), 3);
    const ItemList::Entry &added = g.itemList->At(2);
    QCOMPARE(added.Name, QStringLiteral("date"));
    QCOMPARE(added.Slot, 1);
    QCOMPARE(g.itemTable.Slot(1).URL, QString());
    QCOMPARE(g.itemTable.Slot(1).Description, QStringLiteral("fresh"));
    QCOMPARE(g.itemTable.Slot(1).Priority, qint16(3));
}

void tst_frmMain::fullListRefusesAdd()
{
    QVERIFY(OpenOnStore(window, ThreeItems));
    ItemTable &table = Globals().itemTable;
    while (table.UpperBound() < ItemTable::MaxSlots)
        table.Slot(table.FindFreeSlot()).InUse = true;

    for (const char *action : {"new", "name=one too many", "url=", "new"})
        Perform(QString::fromLatin1(action));
    QCOMPARE(messages, QStringList{QStringLiteral("Error:The list is full.!")});
    QCOMPARE(Globals().itemList->Count(), 3);
    QCOMPARE(Control<QPushButton>("cmdNew")->text(), QStringLiteral("Add Item"));
    QCOMPARE(Control<QLineEdit>("txtName")->text(), QStringLiteral("one too many"));
}

void tst_frmMain::closeSavesTheList()
{
    QVERIFY(OpenOnStore(window, ThreeItems));
    for (const char *action : {"delete", "new", "name=Zed", "url=http://z", "new"})
        Perform(QString::fromLatin1(action));
    window->close();

    QSettings saved(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("Main/NumEntries")).toString(), QStringLiteral(" 3"));
    QCOMPARE(saved.value(QStringLiteral(" 1/Name")).toString(), QStringLiteral("Banana"));
    QCOMPARE(saved.value(QStringLiteral(" 3/Name")).toString(), QStringLiteral("Zed"));
    QCOMPARE(saved.value(QStringLiteral(" 3/URL")).toString(), QStringLiteral("http://z"));
    QCOMPARE(saved.value(QStringLiteral(" 3/Priority")).toString(), QStringLiteral("2"));
    QVERIFY(!saved.contains(QStringLiteral(" 4/Name")));
    QVERIFY(messages.isEmpty());
}

void tst_frmMain::failedCloseSaveSaysSo()
{
    if (OnWindows)
        QSKIP("no per-process file-size limit on Windows");
    QVERIFY(OpenOnStore(window, ThreeItems));
    QFile stored(SettingsStore::FilePath());
    QVERIFY(stored.open(QIODevice::ReadOnly));
    const QByteArray before = stored.readAll();
    stored.close();
    Globals().pageOptions.GenerateOnClose = QStringLiteral("False");
    for (int i = 0; i < 200; ++i)
        Globals().itemList->Insert(QStringLiteral("filler %1").arg(i), 1);

    {
        const FileSizeLimit fullDisk(2048);
        QVERIFY(fullDisk.Active());
        window->close();
    }

    QCOMPARE(messages,
             QStringList{QStringLiteral("Error:The list could not be saved to ") +
                         SettingsStore::FilePath() + QStringLiteral(".\n\nFile too large!")});
    QVERIFY(stored.open(QIODevice::ReadOnly));
    QCOMPARE(stored.readAll(), before);
}

void tst_frmMain::closeWritesThePageFirst_data()
{
    QTest::addColumn<QString>("generateOnClose");
    QTest::addColumn<bool>("pageBlocked");
    QTest::addColumn<bool>("pageWritten");

    QTest::newRow("generate on close") << "True" << false << true;
    QTest::newRow("lower case is not the flag") << "true" << false << false;
    QTest::newRow("off") << "False" << false << false;
    QTest::newRow("a failed page still saves the list") << "True" << true << false;
}

void tst_frmMain::closeWritesThePageFirst()
{
    QFETCH(QString, generateOnClose);
    QFETCH(bool, pageBlocked);
    QFETCH(bool, pageWritten);
    if (pageBlocked)
        QVERIFY(QDir().mkpath(PagePath())); // a folder where the page should go

    QVERIFY(OpenOnStore(window, ThreeItems));
    Globals().pageOptions.GenerateOnClose = generateOnClose;
    Perform(QStringLiteral("delete"));
    window->close();

    QCOMPARE(QFileInfo(PagePath()).isFile(), pageWritten);
    if (pageWritten) {
        QFile page(PagePath());
        QVERIFY(page.open(QIODevice::ReadOnly));
        QVERIFY(page.readAll().contains("Banana"));
    }
    QCOMPARE(messages.size(), pageBlocked ? 1 : 0);
    if (pageBlocked)
        QVERIFY(messages.first().startsWith(
            QStringLiteral("Error:The page could not be written to ") + PagePath()));
    QSettings saved(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat);
    QCOMPARE(saved.value(QStringLiteral("Main/NumEntries")).toString(), QStringLiteral(" 2"));
    QCOMPARE(saved.value(QStringLiteral("Main/GenerateOnClose")).toString(), generateOnClose);
}

void tst_frmMain::generatePage_data()
{
    QTest::addColumn<bool>("showMessage");
    QTest::addColumn<bool>("pageBlocked");
    QTest::addColumn<QString>("message"); // how it begins

    QTest::newRow("from the button") << true << false << "Information:HTML has been generated.i";
    QTest::newRow("at close") << false << false << "";
    QTest::newRow("failed") << true << true << "Error:The page could not be written to ";
    QTest::newRow("failed at close") << false << true << "Error:The page could not be written to ";
}

// The busy cursor is on the window while the page is written, and off before any message.
void tst_frmMain::generatePage()
{
    QFETCH(bool, showMessage);
    QFETCH(bool, pageBlocked);
    QFETCH(QString, message);
    if (pageBlocked)
        QVERIFY(QDir().mkpath(PagePath()));
    QWidget owner;
    QList<Qt::CursorShape> cursors;
    QList<Qt::CursorShape> cursorsAtMessage;
    struct CursorWatch : QObject
    {
        QList<Qt::CursorShape> *seen = nullptr;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::CursorChange)
                seen->append(static_cast<QWidget *>(watched)->cursor().shape());
            return false;
        }
    } watch;
    watch.seen = &cursors;
    owner.installEventFilter(&watch);
    SetMessageSink([&](const Message &m) {
        messages << m.Title + u':' + m.Text + (m.Icon == MessageIcon::Critical ? u'!' : u'i');
        cursorsAtMessage = cursors;
    });

    QCOMPARE(GeneratePage(&owner, showMessage), !pageBlocked);

    const QList<Qt::CursorShape> busyThenDefault{Qt::WaitCursor, Qt::ArrowCursor};
    QCOMPARE(cursors, busyThenDefault);
    QCOMPARE(messages.size(), message.isEmpty() ? 0 : 1);
    if (message.isEmpty())
        return;
    QVERIFY2(messages[0].startsWith(message), qPrintable(messages[0]));
    QCOMPARE(cursorsAtMessage, busyThenDefault);
    if (pageBlocked) {
        QVERIFY(messages[0].startsWith(message + PagePath() + ".\n\n"));
        QVERIFY(messages[0].size() > message.size() + PagePath().size() + 4); // the reason
    }
}

TAVREL_TEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
