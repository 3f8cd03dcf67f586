#pragma once

#include <QString>

class QWidget;

enum class MessageIcon
{
    Critical,
    Information
};

struct Message
{
    QString Title;
    QString Text;
    MessageIcon Icon;
};

// Every message of the program: a modal box with one OK button.
void ShowMessageBox(QWidget *parent, const Message &message);
// The "Error" box: critical icon, OK.
void ShowError(QWidget *parent, const QString &text);
