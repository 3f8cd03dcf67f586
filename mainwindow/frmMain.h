#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmMain;
}

// The main window: the list of items on the left, the editor for one item on the right.
// Browsing, Adding and Editing are told apart by the AddMode and EditMode flags.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

signals:
    // The close has written the page and the store, or said why not: the store is free.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdGenerate_Click();
    void cmdOptions_Click();
    void lstItems_Click();

    void EnterAdding();
    void AddItem();
    void CancelAdding();
    void EnterEditing();
    void SaveItem();

    int SelectedPosition() const;
    void SelectPosition(int position);
    // The entry at position, if there is one, in the shut fields.
    void ShowEntry(int position);
    void ClearFieldsForNewItem();
    void SetFieldsOpen(bool open);
    qint16 SelectedPriority(qint16 fallback) const;

    std::unique_ptr<Ui::frmMain> ui;
    int editingPosition = -1;
    bool unloaded = false;
};
