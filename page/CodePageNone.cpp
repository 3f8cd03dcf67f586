#include "CodePage.h"

QByteArray InCodePage(QStringView)
{
    return {};
}
