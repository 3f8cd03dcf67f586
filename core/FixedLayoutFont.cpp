#include "FixedLayoutFont.h"

#include <QFontDatabase>
#include <QWidget>

void UseFixedLayoutFont(QWidget *form)
{
    // The fixed layouts leave room for a narrow 8-point font. DejaVu Sans, the usual
    // sans-serif on Linux, runs a few pixels too wide for several captions at that size; its
    // condensed cut at 7.5 points looks as large on screen and fits every box. Without it the
    // form keeps the font of its .ui file.
    const QString condensed = QStringLiteral("DejaVu Sans Condensed");
    if (!QFontDatabase::hasFamily(condensed))
        return;
    QFont font = form->font();
    font.setFamilies({condensed});
    font.setPointSizeF(7.5);
    form->setFont(font);
}
