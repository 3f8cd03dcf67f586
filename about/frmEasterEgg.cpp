#include "frmEasterEgg.h"
#include "ui_frmEasterEgg.h"

#include "FixedForm.h"
#include "ModuleMain.h"
#include "ProgramIcon.h"

#include <QPixmap>

frmEasterEgg::frmEasterEgg(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::frmEasterEgg>())
{
    ui->setupUi(this);
    FixForm(this, FormFrame::Plain);
    setWindowIcon(ProgramIcon());

    // The picture is larger than the window on purpose: the window shows its top-left part.
    ui->Picture1->setPixmap(QPixmap(QStringLiteral(":/tavrel/egg.png")));

    QFont caption;
    caption.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    caption.setPointSizeF(27.75);
    caption.setBold(true);
    ui->lblCaption->setFont(caption);
    SetTextColor(ui->lblCaption, Qt::white);
    SetTextColor(ui->Label1, QColor(192, 192, 192));

    connect(ui->cmdOK, &QPushButton::clicked, this, &frmEasterEgg::cmdOK_Click);
}

frmEasterEgg::~frmEasterEgg() = default;

void frmEasterEgg::cmdOK_Click()
{
    close();
}

frmEasterEgg *ShowEasterEgg()
{
    auto *egg = qobject_cast<frmEasterEgg *>(Globals().easterEgg.data());
    // A window already closed is only waiting to be deleted: it gives way to a new one.
    if (!egg || !egg->isVisible()) {
        egg = new frmEasterEgg;
        egg->setAttribute(Qt::WA_DeleteOnClose);
        Globals().easterEgg = egg;
    }
    egg->show();
    egg->raise();
    egg->activateWindow();
    return egg;
}
