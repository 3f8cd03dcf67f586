#pragma once

class QWidget;

// Gives a dialog of fixed layout a font that fits its captions, where one is installed.
void UseDialogFont(QWidget *form);
