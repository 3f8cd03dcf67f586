#include "ShowOptions.h"

#include "frmOptions.h"

void ShowOptions(QWidget *owner)
{
    // A fresh dialog each time, filled from the page options as it opens.
    frmOptions dialog(owner);
    dialog.exec();
}
