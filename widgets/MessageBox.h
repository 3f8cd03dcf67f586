#pragma once

#include "Message.h"

class QWidget;

// Every message of the program: a modal box with one OK button.
void ShowMessageBox(QWidget *parent, const Message &message);
// The "Error" box: critical icon, OK.
void ShowError(QWidget *parent, const QString &text);

// While one lives, messages are written to standard error instead of waiting in a box for an OK
// that no one will give: the session is ending. Boxes come back when the last one goes.
class MessagesToStandardError
{
public:
    MessagesToStandardError();
    ~MessagesToStandardError();
    Q_DISABLE_COPY_MOVE(MessagesToStandardError)

    // Whether an "Error" message was written while this one lived.
    bool ErrorWritten() const;

private:
    int errorsBefore;
};
