#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// The About box: name, version, description and copyright, and three hidden corner boxes.
// Clicked top-left, top-right, bottom-right and then OK, they find the Easter egg; the
// caller learns it from EggFound() and shows the egg.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);
    ~frmAbout() override;

    qint16 EggStep() const { return eggStep; }
    // True when OK closed the box with the hidden sequence complete.
    bool EggFound() const { return eggFound; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void cmd1_Click();
    void cmd2_Click();
    void cmd3_Click();
    void cmdOK_Click();

    std::unique_ptr<Ui::frmAbout> ui;
    qint16 eggStep = 0;
    bool eggFound = false;
};
