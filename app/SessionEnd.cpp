#include "SessionEnd.h"

#include "SaveAtClose.h"
#include "TerminationSignals.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <chrono>

using namespace std::chrono_literals;

namespace {

// QApplication::exec's own loop; every dialog or box open runs one more inside it.
constexpr int MainLoopLevel = 1;
// How long the close waits for those loops to end before it goes ahead inside them.
constexpr auto Patience = 5s;

// Closes each popup, dialog and box as its close box would, the innermost first, so that each
// box is done with before the dialog that opened it. Answers whether one was open.
bool DismissOpenWindows()
{
    bool any = false;
    QWidget *last = nullptr;
    for (;;) {
        QWidget *open = QApplication::activePopupWidget();
        if (!open)
            open = QApplication::activeModalWidget();
        if (!open || open == last) // none left, or one that will not close
            return any;
        open->close();
        last = open;
        any = true;
    }
}

} // namespace

SessionEnd::SessionEnd(QWidget &mainWindow, const TerminationSignals &termination)
    : mainWindow(&mainWindow)
{
    connect(&termination, &TerminationSignals::Received, this, &SessionEnd::Close);
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &SessionEnd::SaveForSessionManager);
}

void SessionEnd::Close(CloseTime time)
{
    if (unattended) {
        if (time == CloseTime::Seconds)
            patience = QDeadlineTimer(0ms); // the close under way waits no longer
        return;
    }
    unattended.emplace();
    // The close says when the program ends, with its status, not the last window going.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    patience = QDeadlineTimer(time == CloseTime::Seconds ? 0ms : Patience);
    Step();
}

void SessionEnd::Step()
{
    const bool dismissed = DismissOpenWindows();
    if ((dismissed || QThread::currentThread()->loopLevel() > MainLoopLevel) &&
        !patience.hasExpired()) {
        QTimer::singleShot(10ms, this, &SessionEnd::Step);
        return;
    }
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != mainWindow && window->isVisible())
            window->close(); // the Easter egg
    }
    if (mainWindow)
        mainWindow->close();
    emit Finished(unattended->ErrorWritten() ? 1 : 0);
}

void SessionEnd::SaveForSessionManager()
{
    // Once the main window has closed the store is saved, and may be another copy's by now.
    if (unattended || !mainWindow || !mainWindow->isVisible())
        return;
    const MessagesToStandardError unattendedSave;
    SaveAtClose(mainWindow);
}
