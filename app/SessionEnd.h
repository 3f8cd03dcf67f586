#pragma once

#include "MessageBox.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>

#include <optional>

class QWidget;
class TerminationSignals;
enum class CloseTime;

// The end of a session, met as the main window's close box would meet it. A termination signal
// dismisses whatever is open over the main window (a dialog as by Cancel, a message as by OK,
// the Easter egg closed), lets the handlers that opened them finish, then closes the main
// window, which writes the page and the store. Where the system gives only seconds, the close
// does not wait for those handlers but saves at once, inside them. The session manager's request
// to save writes the same and the program goes on. No box waits for a user meanwhile: messages
// go to standard error.
class SessionEnd : public QObject
{
    Q_OBJECT

public:
    SessionEnd(QWidget &mainWindow, const TerminationSignals &termination);

    // Starts the close; a further call while it runs changes nothing, unless it has only
    // seconds: then the close goes ahead at once.
    void Close(CloseTime time);
    void SaveForSessionManager();

signals:
    // The close is over: status 0 when everything was written, 1 when something was not.
    void Finished(int exitStatus);

private:
    void Step();

    QPointer<QWidget> mainWindow;
    std::optional<MessagesToStandardError> unattended;
    QDeadlineTimer patience;
};
