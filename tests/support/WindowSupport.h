#pragma once

// What the suites of windows share: clicks, screen-reader names, windows left open, and the
// message box's hook.

#include "MessageSink.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <memory>

class QWidget;

// Clicks the control of form that has this name.
void Click(const QWidget &form, const QString &name);
// Clicks the About box's hidden corners, 1 top-left, 2 top-right, 3 bottom-right.
void ClickCorners(const QWidget &about, const QList<int> &corners);

// The controls of form that a screen reader reaches without learning what they are, by object
// name. Whatever takes the focus or shows a picture or text needs a name; a combo box needs a
// label, as its name on Linux is only the entry it shows.
QStringList UnnamedControls(QWidget *form);

// Shows window and waits until it is the active one; answers whether it became so.
bool ShowActive(QWidget &window);
// Starts window afresh on a store that holds exactly content and shows it active; answers
// whether it could. The suite's state is its own: ResetGlobals() in cleanup() brings back the
// state before start-up.
template <typename Window>
bool OpenOnStore(std::unique_ptr<Window> &window, const QByteArray &content)
{
    if (!WriteStore(content))
        return false;
    window = std::make_unique<Window>();
    return ShowActive(*window);
}

// Closes the top-level windows a test left open and names them, so that the next test
// starts alone.
QStringList CloseLeftOpenWindows();
