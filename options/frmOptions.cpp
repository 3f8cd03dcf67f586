#include "frmOptions.h"
#include "ui_frmOptions.h"

#include "ColorTable.h"
#include "FixedForm.h"
#include "MessageBox.h"
#include "ModuleMain.h"
#include "ProgramIcon.h"
#include "StartPage.h"
#include "frmAbout.h"
#include "frmEasterEgg.h"

#include <QKeyEvent>

#include <cmath>

namespace {

// Selects what a stored size text names in a list of font sizes ("1", "2", ...): the whole text
// read as a number n, then n - 1 rounded half to even, so "5" selects "5". A text that is not a
// number, or whose position lies outside the list, selects nothing.
void SelectSize(QComboBox *list, const QString &size)
{
    bool ok = false;
    // C locale; blanks around the number are allowed.
    const double n = size.toDouble(&ok);
    // The default rounding mode: half to even.
    const double position = std::nearbyint(n - 1);
    const bool listed = ok && std::isfinite(n) && position >= 0 && position < list->count();
    list->setCurrentIndex(listed ? int(position) : -1);
}

void SelectColor(QComboBox *list, const QString &color)
{
    // A name the table does not hold, in whatever case, shows as the first colour, Black.
    list->setCurrentIndex(ColorToIndex(color).value_or(0));
}

} // namespace

frmOptions::frmOptions(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmOptions>())
{
    ui->setupUi(this);
    FixForm(this, FormFrame::Dialog);

    for (QComboBox *list : {ui->cmbHeaderColor, ui->cmbBodyColor, ui->cmbBackColor,
                            ui->cmbLinkColor, ui->cmbVisitedLinkColor}) {
        for (const ColorEntry &entry : ColorTable)
            list->addItem(entry.ColorName.toString());
        list->setCurrentIndex(-1);
    }
    SetTextColor(ui->Line1, QColor(128, 128, 128));
    const BrowserChoiceTexts browser = BrowserChoice();
    ui->chkIE->setText(browser.Caption);
    ui->chkIE->setToolTip(browser.ToolTip);

    connect(ui->cmdDone, &QPushButton::clicked, this, &frmOptions::cmdDone_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    connect(ui->cmdAbout, &QPushButton::clicked, this, &frmOptions::cmdAbout_Click);

    Form_Load();
}

frmOptions::~frmOptions() = default;

void frmOptions::Form_Load()
{
    const PageOptions &options = Globals().pageOptions;
    setWindowIcon(ProgramIcon());
    ui->chkExitGenerate->setChecked(options.GenerateOnClose == u"True");
    SelectSize(ui->cmbHeaderSize, options.HeaderSize);
    SelectColor(ui->cmbHeaderColor, options.HeaderColor);
    SelectSize(ui->cmbBodySize, options.BodySize);
    SelectColor(ui->cmbBodyColor, options.BodyColor);
    SelectColor(ui->cmbLinkColor, options.LinkColor);
    SelectColor(ui->cmbVisitedLinkColor, options.VisitedLinkColor);
    SelectColor(ui->cmbBackColor, options.BGColor);
    ui->chkIE->setChecked(options.IEHomeSet != 0);
    // The Netscape flag comes from the store as any number; anything but 0 shows ticked
    // rather than failing on a value a check box cannot take.
    ui->chkNetscape->setChecked(options.HomeInNetscape != 0);
    if (options.FontStyle == u"serif")
        ui->optSerif->setChecked(true);
    else
        ui->optSansSerif->setChecked(true);
    // Without the browser the box keeps its tick but cannot change, so OK leaves the start
    // page alone.
    if (!BrowserPresent())
        ui->chkIE->setEnabled(false);
}

void frmOptions::cmdDone_Click()
{
    PageOptions &options = Globals().pageOptions;
    options.GenerateOnClose =
        ui->chkExitGenerate->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    // A list with nothing selected gives the empty text.
    options.HeaderSize = ui->cmbHeaderSize->currentText();
    options.HeaderColor = ui->cmbHeaderColor->currentText();
    options.BodySize = ui->cmbBodySize->currentText();
    options.BodyColor = ui->cmbBodyColor->currentText();
    options.LinkColor = ui->cmbLinkColor->currentText();
    options.VisitedLinkColor = ui->cmbVisitedLinkColor->currentText();
    options.BGColor = ui->cmbBackColor->currentText();
    // A failed start-page write is shown; the rest is taken over all the same.
    const QString failure = ApplyStartPage(ui->chkIE->isChecked() ? 1 : 0, options);
    if (!failure.isEmpty())
        ShowError(this, failure);
    options.HomeInNetscape = ui->chkNetscape->isChecked() ? 1 : 0;
    options.FontStyle =
        ui->optSerif->isChecked() ? QStringLiteral("serif") : QStringLiteral("sans-serif");
    accept();
}

void frmOptions::cmdCancel_Click()
{
    reject();
}

void frmOptions::cmdAbout_Click()
{
    frmAbout about(this);
    about.exec();
    if (about.EggFound()) {
        // The egg takes the place of both dialogs; nothing chosen here is taken over.
        reject();
        ShowEasterEgg();
    }
}

void frmOptions::keyPressEvent(QKeyEvent *event)
{
    // The dialog has no cancel button: Esc does nothing here, it does not cancel.
    if (event->matches(QKeySequence::Cancel))
        return;
    QDialog::keyPressEvent(event);
}
