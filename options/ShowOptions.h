#pragma once

class QWidget;

// Shows the options dialog modally over owner, filled afresh from the page options.
void ShowOptions(QWidget *owner);
