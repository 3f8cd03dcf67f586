#pragma once

#include "TestSeams.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QtGlobal>

#include <memory>

// Windows lacks some of what the tests use (signals, resource limits, XDG variables, a second
// settings store for a second process): the tests that need it skip there.
#ifdef Q_OS_WIN
constexpr bool OnWindows = true;
#else
constexpr bool OnWindows = false;
#endif

// A limit on the size of the files this process writes, for as long as it lives: a write that
// runs past it fails as on a full disk. Tests run as root, whom no permission stops. Windows
// has no such limit for a process: there it is never active.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    Q_DISABLE_COPY_MOVE(FileSizeLimit)

    bool Active() const { return active; }

private:
    struct Previous;
    std::unique_ptr<Previous> previous;
    bool active = false;
};

// The signals by which the system asks a program to end, SIGTERM first; none on Windows, which
// ends a program through its windows.
struct EndingSignal
{
    const char *Name;
    int Number;
};
QList<EndingSignal> EndingSignals();
// Sends signal to the process pid; answers whether it went.
bool SendSignal(qint64 pid, int signal);
// Asks this process to end as a user may from outside: SIGTERM on Linux; on Windows Ctrl+C in
// its console, a console of its own made first. Answers whether the request went.
bool AskThisProcessToEnd();

// Makes folder the user's data folder for this process (XDG_DATA_HOME; unset for an empty
// folder, which means ~/.local/share) and answers the data folder the program should now use.
// Windows has no such variable: there it stays the scratch user's, whatever folder is.
QString UseDataFolder(const QString &folder);

// The system's ANSI code page on Windows; 0 elsewhere.
unsigned AnsiCodePage();
// The user's own roaming application data folder (%APPDATA%) as the system names it, whatever
// the tests' hook says; empty on Linux, where the suites move HOME itself.
QString UsersOwnRoamingFolder();

// The whole file, or nothing when it cannot be read.
QByteArray ReadFileBytes(const QString &path);
// Makes the file, and its folder, hold exactly bytes; answers whether it could.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);
// Where an install puts the page's pictures, for a program installed in programFolder:
// ../share/tavrel on Linux, share/tavrel beside the program on Windows.
QString InstalledPictureFolder(const QString &programFolder);
// Puts the page's three pictures into folder, making it as needed; answers whether it could.
bool PutPictures(const QString &folder);
// Makes the settings store hold exactly content; with no content there is no store at all.
bool WriteStore(const QByteArray &content);
// A copy of the file at path under a name never used before, for QSettings to read: Qt keeps
// what it read of a path and reads it again only when the file's size or time has changed,
// which two quick saves of one size need not do.
QString FreshCopyForQt(const QString &path);
// The text the settings store holds under key ("section/key"), as Qt reads the file.
QString StoredText(const QString &key);
