#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrel List Manager"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2").arg(TAVREL_VERSION_MAJOR).arg(TAVREL_VERSION_MINOR));

    frmMain window;
    window.show();
    return app.exec();
}
