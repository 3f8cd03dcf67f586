#include "TestSupport.h"

#include "SettingsStore.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

QByteArray ReadFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) &&
           file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString InstalledPictureFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/" TAVREL_PICTURES_FROM_PROGRAM));
}

bool PutPictures(const QString &folder)
{
    for (const char *name : {"high.gif", "med.gif", "low.gif"}) {
        if (!WriteFileBytes(folder + u'/' + QLatin1String(name), "GIF89a"))
            return false;
    }
    return true;
}

bool WriteStore(const QByteArray &content)
{
    const QString path = SettingsStore::FilePath();
    QFile::remove(path);
    return content.isEmpty() || WriteFileBytes(path, content);
}

QString FreshCopyForQt(const QString &path)
{
    static QTemporaryDir copies;
    static int count = 0;
    const QString copy = copies.filePath(QStringLiteral("%1.ini").arg(++count));
    QFile::copy(path, copy);
    return copy;
}

QString StoredText(const QString &key)
{
    return QSettings(FreshCopyForQt(SettingsStore::FilePath()), QSettings::IniFormat)
        .value(key)
        .toString();
}

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
