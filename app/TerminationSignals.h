#pragma once

#include <QObject>

#include <memory>

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
    void Received();

private:
    struct Pipe;
    std::unique_ptr<Pipe> pipe;
};
