#include "WholeFile.h"

#include "LeftoverSaves.h"
#include "ModuleMain.h"
#include "SystemFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString ScratchPath(const QString &path)
{
    return QStringLiteral("%1.%2-%3.saving")
        .arg(path, QString::number(QCoreApplication::applicationPid()),
             QString::number(++Globals().scratchFiles));
}

} // namespace

SharedReplacePatience::SharedReplacePatience(std::chrono::milliseconds patience)
{
    Globals().replaceDeadline = QDeadlineTimer(patience);
}

SharedReplacePatience::~SharedReplacePatience()
{
    Globals().replaceDeadline.reset();
}

bool WriteWholeFile(const QString &path, const FileProducer &produce, QString &reason)
{
    // A folder that cannot be made, or a file in its place, is left to the scratch file's
    // making to judge and to give the system's reason.
    QDir().mkpath(QFileInfo(path).absolutePath());
    RemoveLeftoverSaves(path);
    const QString scratch = ScratchPath(path);
    QFile::remove(scratch); // an ended process of the same id may have left it
    if (WriteNewFile(scratch, produce, reason)) {
        const QDeadlineTimer patience =
            Globals().replaceDeadline.value_or(QDeadlineTimer(ReplacePatience));
        if (MoveIntoPlace(scratch, path, patience, reason))
            return true;
    }
    QFile::remove(scratch);
    return false;
}
