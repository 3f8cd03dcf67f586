#pragma once

#include <QString>

#include <functional>

class QWidget;

enum class MessageIcon
{
    Critical,
    Information
};

struct Message
{
    QString Title;
    QString Text;
    MessageIcon Icon;
};

// Every message of the program: a modal box with one OK button.
void ShowMessageBox(QWidget *parent, const Message &message);
// The "Error" box: critical icon, OK.
void ShowError(QWidget *parent, const QString &text);

// Tests take the messages here instead of a blocking box; an empty sink restores the box.
using MessageSink = std::function<void(const Message &)>;
void SetMessageSink(MessageSink sink);
