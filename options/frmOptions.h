#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmOptions;
}

// The options dialog: sizes and colours of the page, its font style, generate-on-exit and the
// browser start page. It is filled from the page options when it opens; only OK takes the
// controls back, and Cancel or the close box leave everything as it was. No button is the
// default or the cancel one: Enter and Esc do nothing dialog-wide.
class frmOptions : public QDialog
{
    Q_OBJECT

public:
    explicit frmOptions(QWidget *parent = nullptr);
    ~frmOptions() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void cmdDone_Click();
    void cmdCancel_Click();
    void cmdAbout_Click();

    std::unique_ptr<Ui::frmOptions> ui;
};
