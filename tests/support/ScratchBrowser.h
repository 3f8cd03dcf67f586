#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

// The browsers whose start page the program sets.
enum class Browser
{
    InternetExplorer,
    Firefox,
    SnapFirefox,    // Ubuntu's, reached through its wrapper on the PATH; Linux only
    FlatpakFirefox, // installed for the user; Linux only
};

// While one lives, the browsers that the start-page steps find are the tests' own, and none at
// first: on Windows the scratch registry and a roaming folder of the scratch user's, on Linux a
// Firefox of the scratch home, whose program is a stand-in on a PATH of the tests' own. Whatever
// changes the browsers has the program choose its browser again, as a new run would. One at a
// time.
class ScratchBrowser
{
public:
    ScratchBrowser();
    ~ScratchBrowser();
    Q_DISABLE_COPY_MOVE(ScratchBrowser)

    // The browsers the program can set here, in the order it tries them: Internet Explorer and
    // Firefox on Windows; on Linux the distribution's Firefox, the snap and the Flatpak.
    static QList<Browser> Browsers();

    // The browser is there for the user, with no start page of its own set: Internet Explorer
    // with a Windows on which it still runs; Firefox with a default profile.
    bool Install(Browser browser);
    bool Install() { return Install(Browsers().constFirst()); }
    // What uninstalled browsers leave: an empty version value, a profile with no program. The
    // start-page steps must take it for no browser.
    bool LeaveBehind();
    // The browser's program goes, whatever it wrote stays, as when it is uninstalled.
    bool Remove(Browser browser);
    // Windows only: the registry says which Windows this is; an empty text is no value.
    bool SetWindows(const QString &build, const QString &edition,
                    const QString &installationType = {});
    // From now on the browser's start page cannot be written: the registry refuses every write,
    // a folder stands in the place of Firefox's user.js.
    bool RefuseWrites(Browser browser);

    // The browser's start page: Internet Explorer's value, a null text when there is none;
    // Firefox's home page.
    QString StartPage(Browser browser) const;
    // Sets it as the user would in the browser.
    bool SetStartPage(Browser browser, const QString &page);
    // The start page that the program sets in browser: the page's path or its file URL.
    static QString ThePage(Browser browser);
    // Whether the start page of the browser installed last is now the page beside the program.
    bool ShowsThePage() const;
    // Whether the browsers' settings are as the scratch browser itself last left them.
    bool IsUntouched() const;

    // The profile of the scratch Firefox of that kind.
    static QString FirefoxProfile(Browser browser = Browser::Firefox);
    // The folder of a sandboxed Firefox's own in the home, which its sandbox lets it read; empty
    // for other browsers.
    static QString OwnFolder(Browser browser);

    // Windows only: where a Firefox installer registers it.
    enum class Registration
    {
        CurrentUser,
        Machine,
        Machine32, // a 32-bit Firefox on 64-bit Windows
    };
    // Registers a Firefox in where with version as CurrentVersion and pathToExe as that version's
    // PathToExe: a text, a number, or nothing (no value).
    bool RegisterFirefox(Registration where, const QString &version, const QVariant &pathToExe);
    // A stand-in firefox.exe at path, its folder made.
    static bool MakeProgram(const QString &path);

private:
    struct State;
    std::unique_ptr<State> state;
    QStringList settled;
    Browser last = Browser::Firefox; // the browser installed last
    static QStringList Snapshot();   // the browsers' settings, to compare
    void Settled(); // the browsers as the scratch browser left them; the program chooses again
};
