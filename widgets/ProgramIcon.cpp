#include "ProgramIcon.h"

#include <QIcon>

QIcon ProgramIcon()
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/tavrel/tavrel-32.png"));
    icon.addFile(QStringLiteral(":/tavrel/tavrel-16.png"));
    return icon;
}
