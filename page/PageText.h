#pragma once

#include "WholeFile.h"

#include <QString>

class ItemList;
class ItemTable;
struct PageOptions;

// Opens and closes the quoted attribute values that the page text builds itself; ColorToHex's
// values bring their own.
inline constexpr char Quote[] = "\"";

// The full paths of the three priority pictures, as the page's img tags name them.
struct PagePictures
{
    QString High;
    QString Medium;
    QString Low;
};

// "high.gif", "med.gif" and "low.gif" where this copy of the program keeps them: beside it,
// or in the shared folder of an install.
PagePictures ProgramPictures();

// Hands the bytes of "To-Do.htm" to sink a quarter of a megabyte at a time, so that the longest
// list needs little memory; answers whether the sink took all of them. The page is a heading,
// then the items of priority 3, 2 and 1 in that order, each group in list order, every line
// ended by CR LF (the lines of a description typed on several lines too). Items of any other
// priority are left out. Characters above 127 that the system's 8-bit code page holds are written
// in it (Linux has none, so there the page is plain US-ASCII and every browser reads it alike);
// all others become decimal character references, so that none is lost. Nothing else is escaped
// (names and descriptions may hold markup on purpose), except a double quote in an address,
// which would end the href early.
bool WritePageText(const ItemList &list, const ItemTable &table, const PageOptions &options,
                   const PagePictures &pictures, const PieceWriter &sink);
