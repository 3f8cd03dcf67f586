#pragma once

class QIcon;

// The main window's icon, 32 x 32 and 16 x 16; the dialogs take it from there.
QIcon ProgramIcon();
