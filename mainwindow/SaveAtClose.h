#pragma once

class QWidget;

// What closing the main window writes: the page when "GenerateOnClose" is exactly "True", then
// the whole store. Each failure shows its "Error" message over window; a page that could not
// be written does not keep the list from being saved.
void SaveAtClose(QWidget *window);
