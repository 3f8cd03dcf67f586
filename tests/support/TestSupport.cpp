#include "TestSupport.h"

#include "SettingsStore.h"

#include <QAccessible>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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
    if (content.isEmpty())
        return true;
    if (!WriteFileBytes(path, content))
        return false;
    // Qt reads a settings file again only when its size or time has changed since it last read
    // it; two stores of one size written within a millisecond would pass for one.
    static QDateTime stamp = QDateTime::currentDateTimeUtc().addYears(-1);
    stamp = stamp.addSecs(1);
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(stamp, QFileDevice::FileModificationTime);
}

QString StoredText(const QString &key)
{
    return QSettings(SettingsStore::FilePath(), QSettings::IniFormat).value(key).toString();
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
