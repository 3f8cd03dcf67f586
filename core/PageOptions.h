#pragma once

#include <QString>

// The options of the page and of the browser start page, held as the texts stored or chosen.
struct PageOptions
{
    QString RunBefore = QStringLiteral("No");
    QString GenerateOnClose = QStringLiteral("True");
    QString HeaderColor = QStringLiteral("Black");
    QString HeaderSize = QStringLiteral("5");
    QString BodyColor = QStringLiteral("Black");
    QString BodySize = QStringLiteral("2");
    QString LinkColor = QStringLiteral("Blue");
    QString VisitedLinkColor = QStringLiteral("Green");
    QString BGColor = QStringLiteral("White");
    QString FontStyle = QStringLiteral("sans-serif");
    qint16 HomeInNetscape = 1;
    QString OldIEHome;
    qint16 IEHomeSet = 0; // never stored: worked out again at every start
};
