#include "UserPrefs.h"

#include <QRegularExpression>

const QString OurMark =
    QStringLiteral("// Tavrel List Manager: clear the box in its Options to undo");

namespace {

// Reads one statement after another from the text, as Firefox's own preference reader does.
class PrefReader
{
public:
    explicit PrefReader(QStringView text) : text(text) {}

    QList<UserPref> ReadAll()
    {
        QList<UserPref> prefs;
        while (SkipBlanksAndComments()) {
            if (auto pref = Statement())
                prefs.append(*pref);
            else
                SkipPastSemicolon();
        }
        return prefs;
    }

private:
    bool AtEnd() const { return at >= text.size(); }
    QChar Peek(qsizetype ahead = 0) const
    {
        return at + ahead < text.size() ? text[at + ahead] : QChar();
    }

    // Answers whether anything is left.
    bool SkipBlanksAndComments()
    {
        while (!AtEnd()) {
            if (Peek().isSpace()) {
                ++at;
            } else if (Peek() == u'#' || (Peek() == u'/' && Peek(1) == u'/')) {
                while (!AtEnd() && Peek() != u'\n' && Peek() != u'\r')
                    ++at;
            } else if (Peek() == u'/' && Peek(1) == u'*') {
                const qsizetype end = text.indexOf(u"*/", at + 2);
                at = end < 0 ? text.size() : end + 2;
            } else {
                return true;
            }
        }
        return false;
    }

    // After a statement it cannot read, Firefox reads on token by token up to the next ';',
    // so that a ';' inside a string or a comment does not count.
    void SkipPastSemicolon()
    {
        while (SkipBlanksAndComments()) {
            if (Peek() == u';') {
                ++at;
                return;
            }
            if (Peek() == u'"' || Peek() == u'\'')
                String();
            else if (Word().isEmpty())
                ++at;
        }
    }

    bool Take(QChar c)
    {
        SkipBlanksAndComments();
        if (Peek() != c)
            return false;
        ++at;
        return true;
    }

    QString Word()
    {
        SkipBlanksAndComments();
        const qsizetype start = at;
        while (!AtEnd() &&
               (Peek().isLetterOrNumber() || Peek() == u'_' || Peek() == u'-' || Peek() == u'+'))
            ++at;
        return text.mid(start, at - start).toString();
    }

    std::optional<uint> Hex(int digits)
    {
        uint value = 0;
        for (int i = 0; i < digits && !AtEnd(); ++i, ++at) {
            const char16_t c = Peek().toLower().unicode();
            if (c >= u'0' && c <= u'9')
                value = value * 16 + (c - u'0');
            else if (c >= u'a' && c <= u'f')
                value = value * 16 + (c - u'a' + 10);
            else
                return std::nullopt;
        }
        return value;
    }

    // A string literal; on a bad escape the literal is still read to its end, as Firefox does,
    // and answers nothing.
    std::optional<QString> String()
    {
        SkipBlanksAndComments();
        const QChar quote = Peek();
        if (quote != u'"' && quote != u'\'')
            return std::nullopt;
        ++at;
        QString value;
        bool bad = false;
        while (!AtEnd() && Peek() != quote) {
            const QChar c = Peek();
            ++at;
            if (c != u'\\') {
                value.append(c);
                continue;
            }
            const QChar escape = Peek();
            ++at;
            if (escape == u'n') {
                value.append(u'\n');
            } else if (escape == u'r') {
                value.append(u'\r');
            } else if (escape == u'"' || escape == u'\'' || escape == u'\\') {
                value.append(escape);
            } else if (escape == u'x' || escape == u'u') {
                const std::optional<uint> code = Hex(escape == u'x' ? 2 : 4);
                bad = bad || !code || *code == 0;
                value.append(QChar(char16_t(code.value_or(0))));
            } else {
                bad = true;
            }
        }
        if (AtEnd())
            return std::nullopt;
        ++at;
        return bad ? std::nullopt : std::optional<QString>(value);
    }

    std::optional<UserPref> Statement()
    {
        const QString kind = Word();
        if (kind != u"user_pref" && kind != u"pref" && kind != u"sticky_pref" &&
            kind != u"lockPref")
            return std::nullopt;
        if (!Take(u'('))
            return std::nullopt;
        const std::optional<QString> name = String();
        if (!name || !Take(u','))
            return std::nullopt;
        UserPref pref{*name, std::nullopt};
        SkipBlanksAndComments();
        if (Peek() == u'"' || Peek() == u'\'') {
            pref.Text = String();
            if (!pref.Text)
                return std::nullopt;
        } else {
            static const QRegularExpression other(QStringLiteral("^(true|false|[-+]?[0-9]+)$"));
            if (!other.match(Word()).hasMatch())
                return std::nullopt;
        }
        if (!Take(u')') || !Take(u';'))
            return std::nullopt;
        if (kind != u"user_pref")
            pref.Name.clear(); // read past, but not a preference of the user
        return pref;
    }

    QStringView text;
    qsizetype at = 0;
};

// Our line for name, up to its value.
QString OurLineStart(QStringView name)
{
    return QStringLiteral("user_pref(") + JsStringLiteral(name) + QStringLiteral(", ");
}

// The lines of text with their line ends: LF, CR LF or a lone CR.
QList<QByteArray> LinesWithEnds(const QByteArray &text)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            lines.append(text.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

bool IsOurs(const QByteArray &line)
{
    const QByteArray bare = line.trimmed();
    return bare.startsWith("user_pref(") && bare.endsWith(OurMark.toUtf8());
}

} // namespace

QString JsStringLiteral(QStringView text)
{
    QString literal(u'"');
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
            literal.append(u'\\').append(c);
        } else if (c.unicode() < 0x20 || c.unicode() >= 0x7f) {
            literal.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0')));
        } else {
            literal.append(c);
        }
    }
    return literal.append(u'"');
}

QList<UserPref> ParseUserPrefs(QStringView text)
{
    // Firefox takes a NUL for the end of the file.
    const qsizetype nul = text.indexOf(u'\0');
    QList<UserPref> prefs = PrefReader(nul < 0 ? text : text.left(nul)).ReadAll();
    prefs.removeIf([](const UserPref &pref) { return pref.Name.isEmpty(); });
    return prefs;
}

std::optional<QString> LastStringPref(const QList<UserPref> &prefs, QStringView name)
{
    for (auto it = prefs.crbegin(); it != prefs.crend(); ++it) {
        if (it->Name == name)
            return it->Text;
    }
    return std::nullopt;
}

QString OurLine(const QString &name, const QString &value)
{
    return OurLineStart(name) + value + QStringLiteral("); ") + OurMark;
}

std::optional<QString> OurStringPref(const QByteArray &userJs, QStringView name)
{
    std::optional<QString> value;
    for (const QByteArray &line : LinesWithEnds(userJs)) {
        if (IsOurs(line)) {
            const QList<UserPref> prefs = ParseUserPrefs(QString::fromUtf8(line));
            if (!prefs.isEmpty() && prefs.first().Name == name)
                value = prefs.first().Text;
        }
    }
    return value;
}

QByteArray WithOurLines(const QByteArray &userJs, const QStringList &lines)
{
    QByteArray result;
    QByteArray lineEnd = "\n";
    for (const QByteArray &line : LinesWithEnds(userJs)) {
        if (line.endsWith("\r\n"))
            lineEnd = "\r\n";
        if (!IsOurs(line))
            result.append(line);
    }
    // A last line of the user's without its line end would run into ours.
    if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
        result.append(lineEnd);
    for (const QString &line : lines)
        result.append(line.toUtf8()).append(lineEnd);
    return result;
}
