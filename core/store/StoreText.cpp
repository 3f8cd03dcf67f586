#include "StoreText.h"

#include "StoreMap.h"

#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>

namespace {

bool IsLineBreak(char c)
{
    return c == '\n' || c == '\r';
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsSpace(char c)
{
    return IsBlank(c) || IsLineBreak(c);
}

// The digit's value in base, or -1.
int Digit(char c, int base)
{
    int digit = -1;
    std::from_chars(&c, &c + 1, digit, base);
    return digit;
}

// One line as Qt cuts the file: it runs on over line breaks inside quotes and after a
// backslash, and it ends before a ';' outside quotes, where a comment begins.
struct Line
{
    qsizetype Begin;
    qsizetype End;
    qsizetype Equals; // the first '=' outside quotes, or -1
};

// The next line from pos on that holds anything but blanks and comments; pos moves past it.
std::optional<Line> NextLine(QByteArrayView bytes, qsizetype &pos)
{
    const qsizetype size = bytes.size();
    qsizetype begin = pos;
    while (begin < size && IsSpace(bytes[begin]))
        ++begin;
    qsizetype equals = -1;
    bool quoted = false;
    qsizetype i = begin;
    while (i < size) {
        const char c = bytes[i];
        if (c == ';' && i == begin) {
            while (i < size && !IsLineBreak(bytes[i]))
                ++i;
            while (i < size && IsSpace(bytes[i]))
                ++i;
            begin = i;
            continue;
        }
        if ((IsLineBreak(c) || c == ';') && !quoted)
            break;
        if (c == '=' && !quoted && equals < 0) {
            equals = i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < size) {
            // The next character is the line's, and so is the other half of a CR LF or LF CR.
            ++i;
            if (i + 1 < size && IsLineBreak(bytes[i]) && IsLineBreak(bytes[i + 1]) &&
                bytes[i] != bytes[i + 1])
                ++i;
        }
        ++i;
    }
    pos = i;
    if (i == begin)
        return std::nullopt;
    return Line{begin, i, equals};
}

// Section and key names escape what they cannot hold as %XX or %UXXXX; a backslash stands for
// the slash that separates a group from its key.
QString Unescaped(QByteArrayView name)
{
    // Like Qt's own reading, fromUtf8 drops a byte-order mark at the start of the name.
    const QString text = QString::fromUtf8(name);
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < text.size()) {
            const bool wide = text[i + 1] == u'U';
            const qsizetype from = wide ? i + 2 : i + 1;
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = from + digits <= text.size()
                                    ? QStringView(text).sliced(from, digits).toUShort(&ok, 16)
                                    : 0;
            if (ok) {
                result += QChar(code);
                i = from + digits;
                continue;
            }
        }
        result += c;
        ++i;
    }
    return result;
}

// Nothing for "[]": Qt names its keys "/key", by which they cannot be looked up.
std::optional<QString> SectionName(QByteArrayView header)
{
    const qsizetype close = header.indexOf(']');
    const QByteArrayView name = header.sliced(1, (close < 0 ? header.size() : close) - 1).trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString(); // the keys outside any section
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1));
    QString section = Unescaped(name);
    if (section.isEmpty())
        return std::nullopt;
    return section;
}

// The characters written as a backslash and a letter, and their letters; the last two are only
// read that way.
constexpr char16_t Escaped[] = u"\a\b\f\n\r\t\v\"\\?'";
constexpr char EscapeLetters[] = "abfnrtv\"\\?'";
constexpr std::size_t WrittenEscapes = 9;

// A value's text: quotes and escapes as Qt reads them, blanks at the start and end dropped
// unless quoted, and a comma outside quotes kept, with the blanks after it.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView raw) : raw(raw) {}
    QString Read() &&;

private:
    void SkipBlanks();
    void Comma();
    // Answers false where the value ends inside the escape: then no blanks are dropped.
    bool Escape();
    bool Number(int base, char16_t code);
    void Plain();

    QByteArrayView raw;
    qsizetype i = 0;
    QString text;
    qsizetype keepBefore = 0; // trailing blanks from here on are dropped at the end
    bool inQuotes = false;
    bool quotedPart = false; // a quote since the last comma outside quotes
    // One decoder for the whole value, as Qt has: it drops a byte-order mark only at the start
    // of the value, and joins a character split around an escape or a quote.
    QStringDecoder utf8{QStringDecoder::Utf8};
};

QString ValueReader::Read() &&
{
    SkipBlanks();
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '\\') {
            if (!Escape())
                return std::move(text);
        } else if (c == '"') {
            ++i;
            quotedPart = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                SkipBlanks();
        } else if (c == ',' && !inQuotes) {
            Comma();
        } else {
            Plain();
        }
    }
    if (!quotedPart) {
        while (text.size() > keepBefore && (text.back() == u' ' || text.back() == u'\t'))
            text.chop(1);
    }
    return std::move(text);
}

void ValueReader::SkipBlanks()
{
    while (i < raw.size() && IsBlank(raw[i]))
        ++i;
    keepBefore = text.size();
}

// Where Qt ends an item of a list. The blanks after the comma, which Qt skips, are added
// without the decoder, so that it sees the same pieces as in Qt's reading.
void ValueReader::Comma()
{
    text += u',';
    ++i;
    keepBefore = text.size();
    quotedPart = false;
    while (i < raw.size() && IsBlank(raw[i]))
        text += QLatin1Char(raw[i++]);
}

bool ValueReader::Escape()
{
    if (++i >= raw.size())
        return false;
    const char c = raw[i++];
    if (const char *letter =
            std::char_traits<char>::find(EscapeLetters, std::size(EscapeLetters) - 1, c)) {
        text += QChar(Escaped[letter - EscapeLetters]);
    } else if (c == 'x') {
        if (i >= raw.size())
            return false;
        if (Digit(raw[i], 16) >= 0)
            return Number(16, 0);
        // "\x" without a digit stands for nothing.
    } else if (Digit(c, 8) >= 0) {
        return Number(8, char16_t(Digit(c, 8)));
    } else if (IsLineBreak(c)) {
        // A line continued: the break is dropped, CR LF or LF CR as one.
        if (i < raw.size() && IsLineBreak(raw[i]) && raw[i] != c)
            ++i;
    }
    // Any other escaped character is dropped.
    keepBefore = text.size();
    return true;
}

// The digits of a numeric escape, as many as there are, kept to 16 bits.
bool ValueReader::Number(int base, char16_t code)
{
    for (; i < raw.size(); ++i) {
        const int digit = Digit(raw[i], base);
        if (digit < 0) {
            text += QChar(code);
            keepBefore = text.size();
            return true;
        }
        code = char16_t(code * base + digit);
    }
    text += QChar(code);
    return false;
}

void ValueReader::Plain()
{
    qsizetype end = i + 1;
    while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
        ++end;
    text += QString(utf8(raw.sliced(i, end - i)));
    i = end;
}

// Qt marks a value that is not a plain text with a leading '@', and so writes a text that begins
// with one as "@@"; a text it had to mark as one is "@String(...)".
QString TextOfValue(QString value)
{
    if (value.startsWith(u"@@"))
        value.remove(0, 1);
    else if (value.startsWith(u"@String(") && value.endsWith(u')'))
        value = value.sliced(8).chopped(1);
    return value;
}

} // namespace

void ReadStoreText(QByteArrayView file, StoreMap &map)
{
    // A byte-order mark does not keep Qt from seeing a first section header. In front of a
    // first key it stays, with the blanks after it, and the key's decoding drops it again.
    const bool mark = file.startsWith("\xef\xbb\xbf");
    qsizetype pos = mark ? 3 : 0;
    std::optional<QString> section = QString();
    bool first = true;
    while (const std::optional<Line> line = NextLine(file, pos)) {
        const QByteArrayView text = file.sliced(line->Begin, line->End - line->Begin);
        if (text.startsWith('[')) {
            section = SectionName(text);
        } else if (line->Equals >= 0 && section) {
            qsizetype keyBegin = line->Begin;
            if (first && mark && std::all_of(file.begin() + 3, file.begin() + keyBegin, IsBlank))
                keyBegin = 0;
            const QByteArrayView key = file.sliced(keyBegin, line->Equals - keyBegin).trimmed();
            const QByteArrayView value =
                file.sliced(line->Equals + 1, line->End - line->Equals - 1);
            map.Set(*section, Unescaped(key), TextOfValue(ValueReader(value).Read()));
        }
        first = false;
    }
}

namespace {

// Letters, digits, '_', '-' and '.' stay; '/' is a backslash; anything else is %XX or %UXXXX.
void AppendName(QByteArray &out, const QString &name)
{
    for (const QChar c : name) {
        const char16_t code = c.unicode();
        if (code == u'/') {
            out += '\\';
        } else if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') ||
                   (code >= u'0' && code <= u'9') || code == u'_' || code == u'-' || code == u'.') {
            out += char(code);
        } else {
            const bool wide = code > 0xFF;
            out += wide ? "%U" : "%";
            out += QByteArray::number(code, 16).toUpper().rightJustified(wide ? 4 : 2, '0');
        }
    }
}

void AppendSectionHeader(QByteArray &out, const QString &section)
{
    out += '[';
    if (section.isEmpty()) {
        out += "General";
    } else {
        // Qt reads "[General]" as the keys outside any section, in any case.
        if (section.compare(u"general", Qt::CaseInsensitive) == 0)
            out += '%';
        AppendName(out, section);
    }
    out += ']';
}

// A text as Qt writes one: a leading '@' doubled; control characters, quotes and backslashes
// escaped, and a hex digit after a numeric escape escaped too, as it would extend it; the rest
// as UTF-8; in quotes when it holds ',', ';' or '=' or would begin or end with a blank. A lone
// surrogate, which UTF-8 cannot hold, and a byte-order mark, which Qt's reading of UTF-8 may
// drop, are escaped like control characters.
void AppendText(QByteArray &out, const QString &text)
{
    const qsizetype start = out.size();
    if (text.startsWith(u'@'))
        out += '@';
    bool quoted = false;
    bool afterNumber = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool pair =
            QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const bool hexDigit = c < 0x80 && std::isxdigit(c);
        if (const char16_t *at = std::char_traits<char16_t>::find(Escaped, WrittenEscapes, c)) {
            out += '\\';
            out += EscapeLetters[at - Escaped];
        } else if (c < 0x20 || c == 0xFEFF || (QChar::isSurrogate(c) && !pair) ||
                   (afterNumber && hexDigit)) {
            out += c == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(c, 16);
            afterNumber = true;
            continue;
        } else if (c < 0x80) {
            quoted = quoted || c == u',' || c == u';' || c == u'=';
            out += char(c);
        } else {
            out += QStringView(text).sliced(i, pair ? 2 : 1).toUtf8();
            i += pair ? 1 : 0;
        }
        afterNumber = false;
    }
    if (quoted || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

} // namespace

bool WriteStoreText(const StoreMap &map, QByteArrayView lineEnd, const PieceWriter &write)
{
    constexpr qsizetype PieceSize = 256 * 1024;
    QByteArray piece;
    piece.reserve(PieceSize + 4096);
    bool firstSection = true;
    for (const StoreSection &section : map.Sections()) {
        if (section.Keys.empty())
            continue;
        if (!firstSection)
            piece += lineEnd;
        firstSection = false;
        AppendSectionHeader(piece, section.Name);
        piece += lineEnd;
        for (const StoreKey &key : section.Keys) {
            AppendName(piece, key.Name);
            piece += '=';
            AppendText(piece, key.Text);
            piece += lineEnd;
        }
        if (piece.size() >= PieceSize) {
            if (!write(piece))
                return false;
            piece.resize(0); // keeps its room
        }
    }
    return piece.isEmpty() || write(piece);
}
