#pragma once

#include <QString>
#include <QtGlobal>

struct PageOptions;

// The browser start page, in whichever browser of the user's takes one: Internet Explorer's
// registry values where it still runs on Windows, else the home page of the user's Firefox,
// through its profile's user.js.

// Chooses the browser for this run, afresh: run once at start-up, before DetectStartPage. The
// other steps keep to the browser chosen, even when another has come or gone since.
void ChooseStartPageBrowser();

// The folder where the chosen browser can read the page: inside a sandboxed Firefox's own; empty
// when the browser reads it wherever the program keeps it. The run hands it to the page at
// start-up, so that the page lives there whether the box is ticked or not.
QString StartPageFolder();

// 1 when the chosen browser's start page is already the page beside the program, else 0.
qint16 DetectStartPage();
// Whether the chosen browser is there to take a start page.
bool BrowserPresent();
// Makes the page the start page, or puts the old one back, as IEChecked (0 or 1) and
// options.IEHomeSet say. Answers the text of the "Error" box when the page could not be made
// the start page, else an empty text.
QString ApplyStartPage(int IEChecked, PageOptions &options);

// What the options dialog's start-page check box says: the browser's name and a tooltip.
struct BrowserChoiceTexts
{
    QString Caption;
    QString ToolTip;
};
BrowserChoiceTexts BrowserChoice();
