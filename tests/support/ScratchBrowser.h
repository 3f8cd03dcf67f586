#pragma once

#include <QString>

#include <memory>

// While one lives, the browser that the start-page steps find is the tests' own, and none at
// first: on Windows the scratch registry, on Linux a Firefox of the scratch home, whose program
// is a stand-in on a PATH of the tests' own. One at a time.
class ScratchBrowser
{
public:
    ScratchBrowser();
    ~ScratchBrowser();
    Q_DISABLE_COPY_MOVE(ScratchBrowser)

    // The browser is there for the user, with no start page of its own set.
    bool Install();
    // What an uninstalled browser leaves: an empty version value on Windows, a profile with no
    // program on Linux. The start-page steps must take it for no browser.
    bool LeaveBehind();
    // Whether the browser's start page is now the page beside the program.
    bool ShowsThePage() const;
    // Whether nothing of the browser has been made or written.
    bool IsUntouched() const;

private:
    struct State;
    std::unique_ptr<State> state;
};
