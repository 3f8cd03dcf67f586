#include "StartPage.h"

qint16 DetectStartPage()
{
    return 0;
}

bool BrowserPresent()
{
    return false;
}

void ApplyStartPage(QWidget *, int, PageOptions &) {}
