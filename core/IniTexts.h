#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// One value that a settings file defines: its group, its key and its text. The group is what Qt
// puts in front of the key: nothing before the first section header, else the section's name
// and a slash, so that "[]" and no header at all stay apart.
struct IniText
{
    QString Group;
    QString Key;
    QString Text;
};

// Every value that the bytes of a settings file define, in file order. Lines, comments, section
// headers, names and escapes are read as Qt reads its own INI files, so that each text is the
// one Qt gives for the same line, with one difference: a comma outside quotes stays in the text
// as typed, with the blanks after it, where Qt would end an item of a list.
std::vector<IniText> ReadIniTexts(QByteArrayView file);
