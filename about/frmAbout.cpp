#include "frmAbout.h"
#include "ui_frmAbout.h"

#include "EggStep.h"
#include "FixedForm.h"
#include "ProgramIcon.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>

namespace {

// The title's narrow, slanted display face; where it is missing a narrow sans in italics stands
// in, made smaller if need be so that the title stays on its one line.
QFont TitleFont(const QString &title, int width)
{
    QFont font;
    const QString technical = QStringLiteral("Technical");
    if (QFontDatabase::hasFamily(technical)) {
        font.setFamilies({technical});
    } else {
        font.setFamilies({QStringLiteral("Nimbus Sans Narrow"),
                          QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Arial Narrow")});
        font.setItalic(true);
    }
    font.setPointSizeF(20.25);
    while (font.pointSizeF() > 8 && QFontMetrics(font).horizontalAdvance(title) > width)
        font.setPointSizeF(font.pointSizeF() - 0.75);
    return font;
}

} // namespace

frmAbout::frmAbout(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    FixForm(this, FormFrame::Dialog);

    ui->lblTitle->setFont(TitleFont(ui->lblTitle->text(), ui->lblTitle->width()));
    SetTextColor(ui->lblTitle, Qt::black);
    SetTextColor(ui->lblDescription, Qt::black);

    connect(ui->cmd1, &ClickBox::clicked, this, &frmAbout::cmd1_Click);
    connect(ui->cmd2, &ClickBox::clicked, this, &frmAbout::cmd2_Click);
    connect(ui->cmd3, &ClickBox::clicked, this, &frmAbout::cmd3_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Form_Load();
}

frmAbout::~frmAbout() = default;

void frmAbout::Form_Load()
{
    eggStep = 0;
    const QIcon icon = ProgramIcon();
    setWindowIcon(icon);
    ui->picIcon->setPixmap(icon.pixmap(32, 32));
    ui->lblVersion->setText(
        QStringLiteral("Version %1.%2").arg(TAVREL_VERSION_MAJOR).arg(TAVREL_VERSION_MINOR));
}

void frmAbout::cmd1_Click()
{
    eggStep = NextEggStep(eggStep, EggCorner::TopLeft);
}

void frmAbout::cmd2_Click()
{
    eggStep = NextEggStep(eggStep, EggCorner::TopRight);
}

void frmAbout::cmd3_Click()
{
    eggStep = NextEggStep(eggStep, EggCorner::BottomRight);
}

void frmAbout::cmdOK_Click()
{
    if (eggStep == EggComplete) {
        eggStep = 0;
        eggFound = true;
    }
    accept();
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // Esc presses OK, as Enter does, rather than dismissing the box past it: OK is the one
    // place that decides whether the hidden sequence pays off. The close box still only closes.
    if (event->matches(QKeySequence::Cancel)) {
        ui->cmdOK->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
