#include "LeftoverSaves.h"

#include "ProcessRunning.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

void RemoveLeftoverSaves(const QString &path)
{
    const QFileInfo store(path);
    const QRegularExpression scratch(
        QStringLiteral("^%1\\.(\\d{1,18})-\\d+\\.saving(\\.lock|\\.[A-Za-z0-9]{6})?$")
            .arg(QRegularExpression::escape(store.fileName())));
    QDir folder = store.absoluteDir();
    const QStringList candidates =
        folder.entryList({store.fileName() + QStringLiteral(".*.saving*")}, QDir::Files);
    for (const QString &name : candidates) {
        const QRegularExpressionMatch match = scratch.match(name);
        if (match.hasMatch() && !ProcessRunning(match.captured(1).toLongLong()))
            folder.remove(name);
    }
}
