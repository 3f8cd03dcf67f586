#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmEasterEgg;
}

// The Easter egg: a picture with a credit caption, in a window of its own.
class frmEasterEgg : public QWidget
{
    Q_OBJECT

public:
    explicit frmEasterEgg(QWidget *parent = nullptr);
    ~frmEasterEgg() override;

private:
    void cmdOK_Click();

    std::unique_ptr<Ui::frmEasterEgg> ui;
};

// Shows the Easter-egg window, modeless and without an owner, so that it stays open when the
// dialogs and even the main window close. There is one at a time: while it is open, the same
// window is raised again. It frees itself when closed.
frmEasterEgg *ShowEasterEgg();
