#include "ClickBox.h"

#include <QMouseEvent>

ClickBox::ClickBox(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    pressed = true;
    event->accept();
}

void ClickBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    // A press dragged off the box before the release is no click.
    const bool click = pressed && rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (click)
        emit clicked();
}
