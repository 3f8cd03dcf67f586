#include "ProgramDir.h"
#include "TestSeams.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &Override()
{
    static QString dir;
    return dir;
}
} // namespace

QString ProgramDir()
{
    const QString dir = Override().isEmpty() ? QCoreApplication::applicationDirPath() : Override();
    return QDir::toNativeSeparators(dir);
}

QString ProgramFile(const QString &name)
{
    return ProgramDir() + QDir::separator() + name;
}

QString PagePath()
{
    return ProgramFile(QStringLiteral("To-Do.htm"));
}

void SetProgramDirForTests(const QString &dir)
{
    Override() = dir;
}
