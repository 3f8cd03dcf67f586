#pragma once

#include <QObject>

#include <memory>

// How long the system lets the program take over its close once it has asked for it.
enum class CloseTime
{
    AsNeeded, // a signal, Ctrl+C: the close may wait a little for open dialogs to end
    Seconds,  // the console closed on Windows, which ends the process about 5 s later
};

// SIGTERM, SIGHUP and SIGINT (the session's end, a closed terminal, Ctrl+C in it) reported in
// the event loop instead of ending the process on the spot: the handler only writes a byte to
// a pipe, and the loop reads it. A signal that was ignored when the program started, as under
// nohup, stays ignored. One object at a time. Once it has gone the signals are ignored, so that
// the end of a close is not cut short either. On Windows the same is true of Ctrl+C, Ctrl+Break
// and the close of the console the program was started from.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    // One or more of the signals arrived since the last report.
    void Received(CloseTime time);

private:
    struct Pipe;
    std::unique_ptr<Pipe> pipe;
};
