#pragma once

class QWidget;

// Writes "To-Do.htm" beside the program from the list, the item table and the page options,
// with the busy cursor on window meanwhile. With ShowMessage it confirms with the
// "Information" box. A failure shows the "Error" box; the answer says whether the page was written.
bool GeneratePage(QWidget *window, bool ShowMessage);
