#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

class FrontRequests;
class QLockFile;
class frmMain;

// One copy of the program a settings store: each copy reads the store at start and replaces it
// whole at close, so a second one would wipe what the first saved. A lock file beside the store
// names the process that has it, and a channel beside it lets a later start ask that copy to
// bring its main window to the front.
class OneCopyPerStore : public QObject
{
    Q_OBJECT

public:
    enum class Start
    {
        Alone,      // the store is this process's
        HandedOver, // the copy that has the store was asked to come to the front
        Refused,    // a copy elsewhere has the store and does not answer; said on standard error
    };

    OneCopyPerStore();
    ~OneCopyPerStore() override;

    Start Claim();
    // Brings window to the front when a later start asks, and frees the store as soon as the
    // window's close has saved it, for a new copy, even while this process goes on.
    void Serve(frmMain &window);

private:
    void BringToFront();
    void Release();

    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<FrontRequests> requests;
    QPointer<frmMain> window;
};
