#include "CodePage.h"

#include <windows.h>

QByteArray InCodePage(QStringView character)
{
    char bytes[4];
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(
        CP_ACP, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t *>(character.utf16()),
        int(character.size()), bytes, int(sizeof bytes), nullptr, &usedDefault);
    return size > 0 && !usedDefault ? QByteArray(bytes, size) : QByteArray();
}
