#pragma once

class QWidget;

// Writes the page (WritePage) with the busy cursor on window meanwhile. With ShowMessage it
// confirms with the "Information" box. A failure shows the "Error" box; the answer says whether
// the page was written.
bool GeneratePage(QWidget *window, bool ShowMessage);
