#include "FixedForm.h"

#include <QFontDatabase>
#include <QWidget>

namespace {

Qt::WindowFlags FrameFlags(FormFrame frame)
{
    const Qt::WindowFlags common =
        Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (frame) {
    case FormFrame::MainWindow:
        return Qt::Window | common | Qt::WindowMinimizeButtonHint;
    case FormFrame::Dialog:
        return Qt::Dialog | common | Qt::MSWindowsFixedSizeDialogHint;
    case FormFrame::Plain:
        break;
    }
    return Qt::Window | common;
}

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

} // namespace

void FixForm(QWidget *form, FormFrame frame)
{
    form->setWindowFlags(FrameFlags(frame));
    form->setFixedSize(form->size());
    UseFixedLayoutFont(form);
}

void SetTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}
