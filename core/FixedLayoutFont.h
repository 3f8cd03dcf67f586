#pragma once

class QWidget;

// Gives a window of fixed layout a font that fits its captions, where one is installed.
void UseFixedLayoutFont(QWidget *form);
