#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// One value that a settings file defines: its section (empty before the first section header),
// its key and its text.
struct IniText
{
    QString Section;
    QString Key;
    QString Text;
};

// Every value that the bytes of a settings file define, in file order. Lines, comments, section
// headers, names and escapes are read as Qt reads its own INI files, so that each text is the
// one Qt gives for the same line, with one difference: a comma outside quotes stays in the text
// as typed, with the blanks after it, where Qt would end an item of a list.
std::vector<IniText> ReadIniTexts(QByteArrayView file);
