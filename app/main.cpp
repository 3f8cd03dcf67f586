#include "CommandLine.h"
#include "RunProgram.h"
#include "StartingConsole.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication::setApplicationName(QStringLiteral("Tavrel List Manager"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(TAVREL_VERSION_MAJOR).arg(TAVREL_VERSION_MINOR));
    QApplication::setDesktopFileName(QStringLiteral("example.tavrel.ListManager"));
    JoinStartingConsole();
    if (const std::optional<int> status = AnswerCommandLine(argc, argv))
        return *status;

    QApplication app(argc, argv);
    return RunProgram();
}
