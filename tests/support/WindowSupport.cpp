#include "WindowSupport.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWidget>

void Click(const QWidget &form, const QString &name)
{
    auto *control = form.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QTest::mouseClick(control, Qt::LeftButton);
}

void ClickCorners(const QWidget &about, const QList<int> &corners)
{
    for (int corner : corners)
        Click(about, QStringLiteral("cmd%1").arg(corner));
}

namespace {
QString WhatItIs(QAccessibleInterface *control)
{
    if (control->role() != QAccessible::ComboBox)
        return control->text(QAccessible::Name);
    const auto labels = control->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

void CollectUnnamed(QAccessibleInterface *node, QStringList &unnamed)
{
    if (!node || node->state().invisible)
        return;
    const bool needsName = node->state().focusable || node->role() == QAccessible::Graphic ||
                           node->role() == QAccessible::StaticText;
    if (needsName && WhatItIs(node).isEmpty())
        unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("(item)"));
    for (int i = 0; i < node->childCount(); ++i)
        CollectUnnamed(node->child(i), unnamed);
}
} // namespace

QStringList UnnamedControls(QWidget *form)
{
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(form), unnamed);
    return unnamed;
}

bool ShowActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QStringList CloseLeftOpenWindows()
{
    QStringList leftOpen;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            leftOpen << window->objectName();
            window->close();
        }
    }
    return leftOpen;
}
