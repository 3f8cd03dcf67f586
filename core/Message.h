#pragma once

#include <QString>

enum class MessageIcon
{
    Critical,
    Information
};

// What the program tells the user, in a box with one OK button (widgets/MessageBox.h).
struct Message
{
    QString Title;
    QString Text;
    MessageIcon Icon;
};
