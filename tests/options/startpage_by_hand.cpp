// The start-page steps on the machine's real browsers, one run of the program per call, for a
// check by hand in a throwaway Wine prefix or virtual machine. Never built into a suite: it
// reads and writes the running user's own settings.
//   startpage_by_hand start   the start: which browser, whether the box is offered and ticked
//   startpage_by_hand tick    a start, then OK with the box ticked
//   startpage_by_hand clear   a start, then OK with the box cleared
#include "PageOptions.h"
#include "ProgramLayout.h"
#include "StartPage.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString step = app.arguments().value(1);
    QTextStream out(stdout);
    ChooseStartPageBrowser();
    UsePageFolder(StartPageFolder());
    PageOptions options;
    options.IEHomeSet = DetectStartPage();
    out << "browser: " << BrowserChoice().Caption << "\noffered: " << BrowserPresent()
        << "\nticked: " << options.IEHomeSet << "\npage: " << PagePath() << '\n';
    if (step == u"tick" || step == u"clear") {
        const QString failure = ApplyStartPage(step == u"tick" ? 1 : 0, options);
        out << "after OK, ticked: " << options.IEHomeSet << "\nfailure: " << failure << '\n';
    } else if (step != u"start") {
        out << "say start, tick or clear\n";
        return 2;
    }
    return 0;
}
