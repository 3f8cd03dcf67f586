#pragma once

#include "WholeFile.h"

#include <QByteArrayView>

class StoreMap;

// The store file's text, in the INI syntax that QSettings reads and wrote for 1.0.0.

// Adds every value that the file's bytes define to map, in file order; a key defined twice has
// its last text. Lines, comments, section headers, names, quotes and escapes are read as Qt
// reads them (a byte-order mark, lone CRs, "%General", "@@"), with one difference: a comma
// outside quotes stays in the text as typed, where Qt would end an item of a list.
void ReadStoreText(QByteArrayView file, StoreMap &map);

// Hands the whole map, as the file's bytes, to write piece by piece, each line ended by
// lineEnd; answers false as soon as write does. Names and texts are escaped by Qt's own rules,
// so that QSettings reads back every text exactly.
bool WriteStoreText(const StoreMap &map, QByteArrayView lineEnd, const PieceWriter &write);
