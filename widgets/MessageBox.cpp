#include "MessageBox.h"
#include "MessageSink.h"
#include "ModuleMain.h"

#include <QMessageBox>

#include <cstdio>

namespace {

void WriteToStandardError(const Message &message)
{
    // The box's own words. Some texts break their lines with a lone CR, which a box shows as a
    // new line but a terminal as a return that writes the second line over the first.
    QString text = message.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.Title), qPrintable(text));
    if (message.Icon == MessageIcon::Critical)
        ++Globals().errorsWritten;
}

} // namespace

void ShowMessageBox(QWidget *parent, const Message &message)
{
    const ModuleMain &g = Globals();
    if (g.messagesUnattended > 0) {
        WriteToStandardError(message);
        return;
    }
    if (g.messageSink) {
        g.messageSink(message);
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
    Globals().messageSink = std::move(sink);
}

MessagesToStandardError::MessagesToStandardError() : errorsBefore(Globals().errorsWritten)
{
    ++Globals().messagesUnattended;
}

MessagesToStandardError::~MessagesToStandardError()
{
    --Globals().messagesUnattended;
}

bool MessagesToStandardError::ErrorWritten() const
{
    return Globals().errorsWritten > errorsBefore;
}
