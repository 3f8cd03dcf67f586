#include "MessageBox.h"
#include "MessageSink.h"

#include <QMessageBox>

#include <cstdio>

namespace {

MessageSink &Sink()
{
    static MessageSink sink;
    return sink;
}

struct StandardErrorState
{
    int holders = 0;
    int errorsWritten = 0;
};

StandardErrorState &ToStandardError()
{
    static StandardErrorState state;
    return state;
}

void WriteToStandardError(const Message &message)
{
    // The box's own words. Some texts break their lines with a lone CR, which a box shows as a
    // new line but a terminal as a return that writes the second line over the first.
    QString text = message.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    std::fprintf(stderr, "%s: %s\n", qPrintable(message.Title), qPrintable(text));
    if (message.Icon == MessageIcon::Critical)
        ++ToStandardError().errorsWritten;
}

} // namespace

void ShowMessageBox(QWidget *parent, const Message &message)
{
    if (ToStandardError().holders > 0) {
        WriteToStandardError(message);
        return;
    }
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

MessagesToStandardError::MessagesToStandardError() : errorsBefore(ToStandardError().errorsWritten)
{
    ++ToStandardError().holders;
}

MessagesToStandardError::~MessagesToStandardError()
{
    --ToStandardError().holders;
}

bool MessagesToStandardError::ErrorWritten() const
{
    return ToStandardError().errorsWritten > errorsBefore;
}
