#pragma once

#include <QString>

// The folder that holds the program, in the platform's own spelling, without a trailing
// separator. The page and its pictures live there.
QString ProgramDir();
// A file of that folder: ProgramDir(), the platform's separator, the name.
QString ProgramFile(const QString &name);
// "To-Do.htm" beside the program.
QString PagePath();
