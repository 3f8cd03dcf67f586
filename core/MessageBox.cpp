#include "MessageBox.h"
#include "TestSeams.h"

#include <QMessageBox>

namespace {
MessageSink &Sink()
{
    static MessageSink sink;
    return sink;
}
} // namespace

void ShowMessageBox(QWidget *parent, const Message &message)
{
    if (Sink()) {
        Sink()(message);
        return;
    }
    const auto icon =
        message.Icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information;
    QMessageBox box(icon, message.Title, message.Text, QMessageBox::Ok, parent);
    box.exec();
}

void ShowError(QWidget *parent, const QString &text)
{
    ShowMessageBox(parent, {QStringLiteral("Error"), text, MessageIcon::Critical});
}

void SetMessageSink(MessageSink sink)
{
    Sink() = std::move(sink);
}
