#pragma once

#include <Qt>

class QColor;
class QWidget;

// The frames the program's windows use: none can be resized or maximised.
enum class FormFrame
{
    MainWindow, // may be minimised
    Dialog,     // a fixed dialog frame
    Plain,      // a fixed single frame, no minimise box
};

// Gives a form of fixed layout, as its .ui file sizes it, its frame and a font that fits its
// captions.
void FixForm(QWidget *form, FormFrame frame);

// The colour of a label's or a line's own text.
void SetTextColor(QWidget *widget, const QColor &color);
