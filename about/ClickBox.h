#pragma once

#include <QFrame>

// An empty box with a thin border that reports a left click released over it. It has no
// caption and, unlike a button, no keyboard activation: only the mouse finds it.
class ClickBox : public QFrame
{
    Q_OBJECT

public:
    explicit ClickBox(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed = false;
};
