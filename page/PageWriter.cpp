#include "PageWriter.h"

#include "ModuleMain.h"
#include "PageText.h"
#include "PictureCopies.h"
#include "ProgramLayout.h"
#include "WholeFile.h"

bool WritePage(QString &reason)
{
    const ModuleMain &g = Globals();
    return CopyPicturesBesidePage(reason) && WriteWholeFile(
        PagePath(),
        [&g](const PieceWriter &write) {
            return WritePageText(*g.itemList, g.itemTable, g.pageOptions, ProgramPictures(), write);
        },
        reason);
}
