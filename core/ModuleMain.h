#pragma once

#include "ItemList.h"
#include "ItemTable.h"
#include "Message.h"
#include "PageOptions.h"
#include "ProgramLayout.h"

#include <QDeadlineTimer>
#include <QPointer>

#include <functional>
#include <optional>

// The program's shared state, alive for the whole run. All that a run keeps beyond one call is
// here or in an object the run owns, except what a signal handler must reach, which has to be a
// static of its own: the pipe that the Unix signal handler writes to and the object that the
// Windows console handler posts to from the system's thread (app/TerminationSignals*.cpp).
struct ModuleMain
{
    ItemTable itemTable;
    ItemList *itemList = nullptr; // the entries that lstItems shows, while a RunItemList lives
    PageOptions pageOptions;
    bool AddMode = false;
    bool EditMode = false;

    std::optional<ProgramPlaces> places; // decided at the first need
    QString handedPageFolder;            // the page's own folder, when the run hands one over
    // While messagesUnattended > 0 messages go to standard error, the "Error" ones counted.
    int messagesUnattended = 0;
    int errorsWritten = 0;
    // The whole-file writes' shared patience, while a SharedReplacePatience lives.
    std::optional<QDeadlineTimer> replaceDeadline;
    int scratchFiles = 0;        // numbers this process's scratch files
    QPointer<QObject> easterEgg; // the Easter-egg window while it is open

    // What the suites and the benchmarks put in place of the system's (TestSeams.h,
    // MessageSink.h).
    QString programDirForTests;
    QString userFoldersForTests;
    std::function<void(const Message &)> messageSink;
};

ModuleMain &Globals();

// The item list of a run, which Globals() points at while it lives. A model holding a collator
// belongs inside the application object's lifetime, so the run keeps it on its own stack, after
// the application object, rather than in the shared state that outlives it.
class RunItemList
{
public:
    RunItemList();
    ~RunItemList();
    Q_DISABLE_COPY_MOVE(RunItemList)

private:
    ItemList list;
};
