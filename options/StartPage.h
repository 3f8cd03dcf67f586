#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;
struct PageOptions;

// The browser start page: on Windows Internet Explorer's, in the registry; on Linux the home page
// of the user's Firefox, through its profile's user.js.

// 1 when the browser start page is already the page beside the program (case ignored), else 0.
qint16 DetectStartPage();
// Whether the browser is there to take a start page.
bool BrowserPresent();
// Makes the page the start page, or puts the old one back, as IEChecked (0 or 1) and
// options.IEHomeSet say. A failed write shows the "Error" box over parent.
void ApplyStartPage(QWidget *parent, int IEChecked, PageOptions &options);

// What the options dialog's start-page check box says: the browser's name and a tooltip.
struct BrowserChoiceTexts
{
    QString Caption;
    QString ToolTip;
};
BrowserChoiceTexts BrowserChoice();
