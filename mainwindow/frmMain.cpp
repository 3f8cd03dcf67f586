#include "frmMain.h"
#include "ui_frmMain.h"

#include "EditorRules.h"
#include "FixedForm.h"
#include "GeneratePage.h"
#include "MessageBox.h"
#include "ModuleMain.h"
#include "Persistence.h"
#include "ProgramIcon.h"
#include "SaveAtClose.h"
#include "SettingsStore.h"
#include "ShowOptions.h"
#include "StartPage.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
constexpr int MediumPosition = 1;

constexpr QStringView AddTip = u" Add an item to the list. ";
constexpr QStringView NewTip = u" Add a new item to the list. ";
constexpr QStringView AnotherTip = u" Add another item to the list. ";
constexpr QStringView EditTip = u" Edit the current item. ";
constexpr QStringView CancelTip = u" Never mind. ";
constexpr QStringView SaveTip = u" Keep my changes! ";

struct ButtonRow
{
    struct Button
    {
        QStringView Caption;
        QStringView ToolTip; // empty: the button keeps the tooltip it has
        bool Enabled;
    };
    Button New;
    Button Edit;
    bool DeleteEnabled;
    bool GenerateEnabled;
};

constexpr bool On = true;
constexpr bool Off = false;
// The buttons in each state, one row a line. Where the way into a state decides a cell, each
// way in has a row: cmdNew keeps its tooltip from before editing through Save, and Delete stays
// enabled at start-up with the list empty (pressing it then does nothing), not after the last
// entry was deleted.
// clang-format off
constexpr ButtonRow
    //                 cmdNew                          cmdEdit                       Delete Generate
    Browsing          {{u"New Item", NewTip, On},     {u"Edit Item", EditTip, On},  On,    On},
    AfterCancel       {{u"New Item", AnotherTip, On}, {u"Edit Item", EditTip, On},  On,    On},
    AfterSave         {{u"New Item", {}, On},         {u"Edit Item", EditTip, On},  On,    On},
    Adding            {{u"Add Item", AddTip, On},     {u"Cancel", CancelTip, On},   Off,   Off},
    AddingAtStart     {{u"Add Item", AddTip, On},     {u"Edit Item", EditTip, Off}, On,    On},
    AddingAfterDelete {{u"Add Item", AnotherTip, On}, {u"Edit Item", EditTip, Off}, Off,   On},
    Editing           {{u"New Item", {}, Off},        {u"Save Item", SaveTip, On},  Off,   Off};
// clang-format on

void ShowButton(QPushButton *button, const ButtonRow::Button &look)
{
    button->setText(look.Caption.toString());
    if (!look.ToolTip.isEmpty())
        button->setToolTip(look.ToolTip.toString());
    button->setEnabled(look.Enabled);
}

void ShowButtons(Ui::frmMain &ui, const ButtonRow &row)
{
    ShowButton(ui.cmdNew, row.New);
    ShowButton(ui.cmdEdit, row.Edit);
    ui.cmdDelete->setEnabled(row.DeleteEnabled);
    ui.cmdGenerate->setEnabled(row.GenerateEnabled);
}
} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::frmMain>())
{
    ui->setupUi(this);
    FixForm(this, FormFrame::MainWindow);
    setWindowIcon(ProgramIcon());

    ui->lstItems->setModel(Globals().itemList);
    // Item views do not offer their tooltip to screen readers as other widgets do.
    ui->lstItems->setAccessibleDescription(ui->lstItems->toolTip());
    ui->cmbPriority->installEventFilter(this);
    // Every field starts open, the priority box too, which the style would otherwise paint in
    // the button face.
    SetFieldsOpen(true);

    connect(ui->cmdNew, &QPushButton::clicked, this, &frmMain::cmdNew_Click);
    connect(ui->cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &frmMain::cmdDelete_Click);
    connect(ui->cmdGenerate, &QPushButton::clicked, this, &frmMain::cmdGenerate_Click);
    connect(ui->cmdOptions, &QPushButton::clicked, this, &frmMain::cmdOptions_Click);
    connect(ui->lstItems->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &frmMain::lstItems_Click);
    // The user cannot clear the selection: a Ctrl+click on the selected entry selects it again.
    connect(ui->lstItems->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndex current = ui->lstItems->currentIndex();
        if (current.isValid() && !ui->lstItems->selectionModel()->isSelected(current))
            ui->lstItems->selectionModel()->select(current, QItemSelectionModel::Select);
    });

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    ModuleMain &g = Globals();
    g.EditMode = false;
    const SettingsStore store;
    LoadOptions(store, g.pageOptions);
    g.pageOptions.IEHomeSet = DetectStartPage();

    if (LoadItems(store, g.itemTable, *g.itemList) >= 1) {
        // AddMode is still False, so the selection handling shows the first item.
        SelectPosition(0);
        g.AddMode = false;
    } else {
        g.AddMode = true;
        ui->cmbPriority->setCurrentIndex(MediumPosition);
        ShowButtons(*ui, AddingAtStart);
    }
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    SaveAtClose(this);
    emit Unloaded();
}

void frmMain::cmdNew_Click()
{
    if (Globals().AddMode)
        AddItem();
    else
        EnterAdding();
}

void frmMain::cmdEdit_Click()
{
    const ModuleMain &g = Globals();
    if (g.AddMode)
        CancelAdding();
    else if (g.EditMode)
        SaveItem();
    else
        EnterEditing();
}

void frmMain::EnterAdding()
{
    Globals().AddMode = true;
    ClearFieldsForNewItem();
    ui->txtName->setFocus();
    ShowButtons(*ui, Adding);
}

void frmMain::AddItem()
{
    ModuleMain &g = Globals();
    if (ui->txtName->text().isEmpty()) {
        ShowError(this, QStringLiteral("A name is required."));
        return;
    }
    if (InvalidURL(ui->txtURL->text())) {
        ShowError(this, QStringLiteral("Invalid URL."));
        return;
    }
    const int slot = g.itemTable.FindFreeSlot();
    if (slot == 0) {
        ShowError(this, QStringLiteral("The list is full."));
        return;
    }

    // Before the selection below, so that it shows the new item and the browsing buttons.
    g.AddMode = false;
    const int position = g.itemList->Insert(ui->txtName->text(), slot);
    ItemRecord &record = g.itemTable.Slot(slot);
    record.InUse = true;
    record.Description = ui->txtDescription->toPlainText();
    record.URL = ui->txtURL->text();
    record.Priority = SelectedPriority(0);
    SelectPosition(position);
}

void frmMain::CancelAdding()
{
    Globals().AddMode = false;
    ShowButtons(*ui, AfterCancel);
    ShowEntry(SelectedPosition());
}

void frmMain::EnterEditing()
{
    Globals().EditMode = true;
    editingPosition = SelectedPosition();
    SetFieldsOpen(true);
    ui->txtName->setFocus();
    ShowButtons(*ui, Editing);
}

void frmMain::SaveItem()
{
    ModuleMain &g = Globals();
    // The changes belong to the entry whose editing began, wherever the highlight went since;
    // the highlight goes back to it while the selection handling is still held off.
    const int position = editingPosition;
    if (position >= 0 && SelectedPosition() != position)
        SelectPosition(position);

    g.EditMode = false;
    SetFieldsOpen(false);
    ui->lstItems->setFocus();
    ShowButtons(*ui, AfterSave);
    if (position < 0)
        return;

    g.itemList->SetText(position, ui->txtName->text());
    ItemRecord &record = g.itemTable.Slot(g.itemList->At(position).Slot);
    record.Description = ui->txtDescription->toPlainText();
    record.URL = ui->txtURL->text();
    record.Priority = SelectedPriority(record.Priority);
}

void frmMain::cmdDelete_Click()
{
    ModuleMain &g = Globals();
    const int position = SelectedPosition();
    if (position < 0)
        return;

    g.itemTable.Slot(g.itemList->At(position).Slot).InUse = false;
    // Drop the highlight first, so that removing the entry moves no selection on its own.
    ui->lstItems->selectionModel()->clear();
    g.itemList->Remove(position);

    if (g.itemTable.AnyInUse()) {
        ui->lstItems->setFocus();
        SelectPosition(position > 0 ? position - 1 : 0);
        return;
    }
    ClearFieldsForNewItem();
    ui->txtName->setFocus();
    g.AddMode = true;
    ShowButtons(*ui, AddingAfterDelete);
}

void frmMain::cmdGenerate_Click()
{
    GeneratePage(this, true);
}

void frmMain::cmdOptions_Click()
{
    ShowOptions(this);
}

void frmMain::lstItems_Click()
{
    const ModuleMain &g = Globals();
    const int position = SelectedPosition();
    if (g.AddMode || g.EditMode || position < 0)
        return;
    ShowEntry(position);
    ShowButtons(*ui, Browsing);
}

int frmMain::SelectedPosition() const
{
    const QModelIndex current = ui->lstItems->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void frmMain::SelectPosition(int position)
{
    const QModelIndex index = Globals().itemList->index(position);
    ui->lstItems->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    ui->lstItems->scrollTo(index);
}

void frmMain::ShowEntry(int position)
{
    if (position >= 0) {
        const ItemList::Entry &entry = Globals().itemList->At(position);
        const ItemRecord &record = Globals().itemTable.Slot(entry.Slot);
        ui->txtName->setText(entry.Name);
        ui->txtDescription->setPlainText(record.Description);
        ui->txtURL->setText(record.URL);
        const int priority = PriorityPosition(record.Priority);
        if (priority >= 0)
            ui->cmbPriority->setCurrentIndex(priority);
    }
    SetFieldsOpen(false);
}

void frmMain::ClearFieldsForNewItem()
{
    ui->txtDescription->clear();
    ui->txtURL->setText(QStringLiteral("http://"));
    ui->txtName->clear();
    ui->cmbPriority->setCurrentIndex(MediumPosition);
    SetFieldsOpen(true);
}

void frmMain::SetFieldsOpen(bool open)
{
    const QColor background = open ? QColor(Qt::white) : palette().color(QPalette::Window);
    for (QWidget *field : std::initializer_list<QWidget *>{ui->txtName, ui->txtDescription,
                                                           ui->txtURL, ui->cmbPriority}) {
        QPalette look = field->palette();
        look.setColor(QPalette::Base, background);
        look.setColor(QPalette::Button, background);
        field->setPalette(look);
    }
    ui->txtName->setReadOnly(!open);
    ui->txtDescription->setReadOnly(!open);
    ui->txtURL->setReadOnly(!open);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // A shut priority box (the fields shut together, txtName read-only with them) keeps its
    // focus but takes no change, by mouse, wheel or key.
    if (watched == ui->cmbPriority && ui->txtName->isReadOnly()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            return key != Qt::Key_Tab && key != Qt::Key_Backtab;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

qint16 frmMain::SelectedPriority(qint16 fallback) const
{
    const int position = ui->cmbPriority->currentIndex();
    return position >= 0 ? PriorityAt(position) : fallback;
}
