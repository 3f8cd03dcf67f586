#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

constexpr int UsageError = 2;

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> AnswerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("tavrel"))).fileName();

    QCommandLineParser parser;
    // "-help" is a misspelt option, not the letters h, e, l and p.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Keeps a list of things to do on the web and writes it as a web page."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and quit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and quit."));
    parser.addOption(help);
    parser.addOption(version);

    if (!parser.parse(arguments)) {
        Print(stderr, QStringLiteral("%1: %2\n").arg(program, parser.errorText()));
        return UsageError;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Print(stderr, QStringLiteral("%1: Unexpected argument '%2'.\n")
                          .arg(program, parser.positionalArguments().constFirst()));
        return UsageError;
    }
    if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program itself.
        Print(stdout, parser.helpText().replace(QStringLiteral("<executable_name>"), program));
        return 0;
    }
    if (parser.isSet(version)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return 0;
    }
    return std::nullopt;
}
