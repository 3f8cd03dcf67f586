#include "CodePage.h"

CodePageBytes InCodePage(char32_t)
{
    return {};
}
