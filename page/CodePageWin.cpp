#include "CodePage.h"

#include <windows.h>

CodePageBytes InCodePage(char32_t code)
{
    wchar_t units[2];
    int count = 1;
    if (code > 0xFFFF) {
        code -= 0x10000;
        units[0] = wchar_t(0xD800 + (code >> 10));
        units[1] = wchar_t(0xDC00 + (code & 0x3FF));
        count = 2;
    } else {
        units[0] = wchar_t(code);
    }
    CodePageBytes result;
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, result.Bytes,
                                         int(sizeof result.Bytes), nullptr, &usedDefault);
    result.Size = size > 0 && !usedDefault ? size : 0;
    return result;
}
