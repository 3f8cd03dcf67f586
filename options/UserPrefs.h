#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Firefox's preference files, prefs.js and user.js: statements such as
// user_pref("name", value); with JavaScript's string literals and comments.

// text as a double-quoted string literal that Firefox reads back as text: quotes, backslashes,
// control characters and everything outside ASCII escaped, so that the file stays ASCII.
QString JsStringLiteral(QStringView text);

struct UserPref
{
    QString Name;
    std::optional<QString> Text; // the value when it is a string
};

// The user_pref statements of a file, in file order, read as Firefox reads them: comments
// ('//', '#', '/* */') skipped; a statement it cannot read skipped token by token up to the
// next ';'; a NUL ends the file.
QList<UserPref> ParseUserPrefs(QStringView text);

// The string that the last statement for name sets, when it sets a string.
std::optional<QString> LastStringPref(const QList<UserPref> &prefs, QStringView name);

// Each of our lines in user.js ends in this comment, and nothing else of user.js does.
extern const QString OurMark;

// One line of ours: user_pref("name", value); followed by the mark. value is a literal as it
// stands in the file: a string literal, true or false.
QString OurLine(const QString &name, const QString &value);

// The value of our line for name in user.js, read as a string; nothing when there is none.
std::optional<QString> OurStringPref(const QByteArray &userJs, QStringView name);

// user.js without any line of ours and with lines added at its end, the last definitions
// Firefox reads. Every other line, line end and byte stays as it was.
QByteArray WithOurLines(const QByteArray &userJs, const QStringList &lines);
