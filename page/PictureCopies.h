#pragma once

#include <QString>

// When the page has a folder of its own, the pictures it shows are copies there of the
// program's own: each written whole where it is missing or differs from the program's, and left
// alone where it is the same. A picture the program lacks is not copied, as the page shows none
// for it either way. Answers whether the copies are in place; if not, reason names the copy
// and says why, in the system's words.
bool CopyPicturesBesidePage(QString &reason);
