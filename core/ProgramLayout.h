#pragma once

#include <QString>

// Where the page's pictures are read and where the page is written, decided once per run from
// where the program finds itself:
// - The pictures high.gif, med.gif and low.gif stand beside the program (a build tree, or a
//   folder a user unpacked): the page goes beside them, in the program's own folder.
// - The program is installed, in <prefix>/bin with the pictures in <prefix>/share/tavrel,
//   folders the user may not write to: the page goes to the user's data folder,
//   $XDG_DATA_HOME/Tavrel (~/.local/share/Tavrel when unset), which may not exist yet.
// A program that finds its pictures in neither place keeps to its own folder.
// The run may hand over a folder of its own for the page instead, one that the user's browser
// can read where it reads no other (a sandboxed Firefox): the page then goes there, with copies
// of the pictures beside it.
// Paths are in the platform's own spelling.

// The two folders, once decided, without a trailing separator.
struct ProgramPlaces
{
    QString PictureFolder;
    QString PageFolder;
};

// Hands the page a folder of its own, in either spelling, from now on; an empty text gives the
// page back to the layout.
void UsePageFolder(const QString &folder);

// The folder of the three pictures that the page shows, without a trailing separator.
QString PictureFolder();
// The folder where this copy of the program keeps them: PictureFolder() unless the page has a
// folder of its own.
QString OwnPictureFolder();
// A file of that folder: PictureFolder(), the platform's separator, the name.
QString PictureFile(const QString &name);
// The full path of "To-Do.htm".
QString PagePath();
