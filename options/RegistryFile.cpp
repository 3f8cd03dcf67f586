#include "RegistryFile.h"
#include "Registry.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// The file holds a handful of values. One far bigger than this is not ours to load whole: it
// reads as an empty registry and is never rewritten.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

const QString CurrentUserName = QStringLiteral("HKEY_CURRENT_USER");
const QString LocalMachineName = QStringLiteral("HKEY_LOCAL_MACHINE");

// What the registry calls a plain string when it gives one as bytes.
constexpr uint StringType = 1;
// A bare "hex:" holds raw bytes.
constexpr uint BinaryType = 3;

QString RootName(RegRoot root)
{
    switch (root) {
    case RegRoot::CurrentUser:
        return CurrentUserName;
    case RegRoot::LocalMachine:
        return LocalMachineName;
    }
    return {};
}

std::optional<RegRoot> RootFromName(QStringView name)
{
    if (name.compare(CurrentUserName, Qt::CaseInsensitive) == 0)
        return RegRoot::CurrentUser;
    if (name.compare(LocalMachineName, Qt::CaseInsensitive) == 0)
        return RegRoot::LocalMachine;
    return std::nullopt;
}

bool SameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool SamePath(const QStringList &a, const QStringList &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!SameName(a[i], b[i]))
            return false;
    }
    return true;
}

bool HasControlCharacter(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20)
            return true;
    }
    return false;
}

// The names of a key path below its root; an empty path is the root itself. A path with an
// empty name or a line break in it cannot name a key.
std::optional<QStringList> SplitKeyPath(const QString &keyPath)
{
    if (keyPath.isEmpty())
        return QStringList();
    const QStringList names = keyPath.split(u'\\');
    for (const QString &name : names) {
        if (name.isEmpty() || HasControlCharacter(name))
            return std::nullopt;
    }
    return names;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// A whole hexadecimal number of one to eight digits.
std::optional<uint> HexNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 8)
        return std::nullopt;
    uint number = 0;
    for (const QChar c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + uint(digit);
    }
    return number;
}

// "61,62,63": bytes of one or two hex digits separated by commas; blanks around them and one
// trailing comma are allowed.
std::optional<QByteArray> HexBytes(QStringView text)
{
    QByteArray bytes;
    qsizetype i = 0;
    const qsizetype size = text.size();
    const auto skipBlanks = [&] {
        while (i < size && text[i].isSpace())
            ++i;
    };
    skipBlanks();
    while (i < size) {
        int byte = 0;
        int digits = 0;
        for (; i < size && digits < 2 && HexDigit(text[i]) >= 0; ++i, ++digits)
            byte = byte * 16 + HexDigit(text[i]);
        if (digits == 0)
            return std::nullopt;
        bytes.append(char(byte));
        skipBlanks();
        if (i < size) {
            if (text[i] != u',')
                return std::nullopt;
            ++i;
            skipBlanks();
        }
    }
    return bytes;
}

// UTF-8 as it is: a U+FEFF at the start is a character of the text, where fromUtf8 would drop
// it as a byte-order mark.
QString Utf8Text(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

// A string as the registry hands it over: it ends at its first NUL.
QString CutAtNul(QString text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

// A quoted name or string starting at text[pos], with \\ and \" as its only escapes. On
// success pos is moved past the closing quote.
std::optional<QString> Unquote(QStringView text, qsizetype &pos)
{
    QString result;
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'"') {
            pos = i + 1;
            return result;
        }
        if (c == u'\\') {
            if (++i == text.size())
                return std::nullopt;
            c = text[i];
            if (c != u'\\' && c != u'"')
                return std::nullopt;
        }
        result += c;
    }
    return std::nullopt;
}

QString Quote(const QString &text)
{
    QString result(u'"');
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            result += u'\\';
        result += c;
    }
    result += u'"';
    return result;
}

// The continuation of a hex value that ended its line with a backslash: anything but a blank
// line, a key, another value or a comment.
bool IsContinuation(QStringView text)
{
    return !text.isEmpty() && text[0] != u'[' && text[0] != u'"' && text[0] != u'@' &&
           text[0] != u';';
}

// One line of the file: its bytes from begin to textEnd, then its line end up to end. A line
// ends in LF, CR LF or a CR alone, as editors and the store's own reader take them.
struct Line
{
    qsizetype begin;
    qsizetype textEnd;
    qsizetype end;
};

// A value the file defines, over the lines [firstLine, endLine). text is set only when the
// value is a plain string.
struct Value
{
    QString name;
    std::optional<QString> text;
    qsizetype firstLine = 0;
    qsizetype endLine = 0;
};

// A key line and the lines up to the next key line, [keyLine, endLine).
struct Section
{
    RegRoot root;
    QStringList path;
    qsizetype keyLine = 0;
    qsizetype endLine = 0;
    std::vector<Value> values;
};

// The file as read: its bytes, untouched, and what could be made of them. Lines that cannot
// be made sense of belong to nothing and are simply not looked at.
class RegistryText
{
public:
    explicit RegistryText(QByteArray bytes);

    const QByteArray &Bytes() const { return bytes; }
    const std::vector<Line> &Lines() const { return lines; }
    const std::vector<Section> &Sections() const { return sections; }
    // The line's text, decoded and trimmed.
    QString Text(qsizetype line) const;
    bool IsBlank(qsizetype line) const { return Text(line).isEmpty(); }
    // The line end for a new line beside line: line's own, so that the two cannot run together
    // into one CR LF; for a last line without one, the file's first.
    QByteArray LineEnd(qsizetype line) const;

private:
    void SplitLines();
    void Parse();
    std::optional<Section> ParseKeyLine(const QString &text, qsizetype line) const;
    std::optional<Value> ParseValue(qsizetype line) const;

    QByteArray bytes;
    std::vector<Line> lines;
    std::vector<Section> sections;
};

RegistryText::RegistryText(QByteArray fileBytes) : bytes(std::move(fileBytes))
{
    SplitLines();
    Parse();
}

QString RegistryText::Text(qsizetype line) const
{
    const Line &l = lines[size_t(line)];
    return Utf8Text(QByteArrayView(bytes).sliced(l.begin, l.textEnd - l.begin)).trimmed();
}

QByteArray RegistryText::LineEnd(qsizetype line) const
{
    const Line &own = lines[size_t(line)];
    if (own.end > own.textEnd)
        return bytes.sliced(own.textEnd, own.end - own.textEnd);
    for (const Line &l : lines) {
        if (l.end > l.textEnd)
            return bytes.sliced(l.textEnd, l.end - l.textEnd);
    }
    return QByteArrayLiteral("\n");
}

void RegistryText::SplitLines()
{
    const char *const data = bytes.constData();
    const char *const end = data + bytes.size();
    // The file's own byte-order mark is no part of its first line.
    const char *begin = bytes.startsWith("\xef\xbb\xbf") ? data + 3 : data;
    while (begin != end) {
        const char *const textEnd =
            std::find_if(begin, end, [](char c) { return c == '\n' || c == '\r'; });
        const char *next = textEnd;
        if (next != end)
            next += *next == '\r' && next + 1 != end && next[1] == '\n' ? 2 : 1;
        lines.push_back({begin - data, textEnd - data, next - data});
        begin = next;
    }
}

void RegistryText::Parse()
{
    const auto count = qsizetype(lines.size());
    // The section the lines belong to; none before the first key line or after one that cannot
    // be read.
    qsizetype current = -1;
    for (qsizetype i = 0; i < count;) {
        const QString text = Text(i);
        if (text.startsWith(u'[')) {
            if (current >= 0)
                sections[size_t(current)].endLine = i;
            current = -1;
            if (std::optional<Section> section = ParseKeyLine(text, i)) {
                sections.push_back(std::move(*section));
                current = qsizetype(sections.size()) - 1;
            }
            ++i;
            continue;
        }
        std::optional<Value> value = current >= 0 ? ParseValue(i) : std::nullopt;
        if (!value) {
            ++i;
            continue;
        }
        i = value->endLine;
        sections[size_t(current)].values.push_back(std::move(*value));
    }
    if (current >= 0)
        sections[size_t(current)].endLine = count;
}

std::optional<Section> RegistryText::ParseKeyLine(const QString &text, qsizetype line) const
{
    if (text.size() < 2 || !text.endsWith(u']'))
        return std::nullopt;
    QStringList names = text.mid(1, text.size() - 2).split(u'\\');
    const std::optional<RegRoot> root = RootFromName(names.first());
    if (!root)
        return std::nullopt;
    names.removeFirst();
    return Section{*root, names, line, line + 1, {}};
}

std::optional<Value> RegistryText::ParseValue(qsizetype line) const
{
    const QString text = Text(line);
    Value value;
    qsizetype pos = 0;
    if (text.startsWith(u'@')) {
        pos = 1;
    } else if (text.startsWith(u'"')) {
        std::optional<QString> name = Unquote(text, pos);
        if (!name)
            return std::nullopt;
        value.name = std::move(*name);
    } else {
        return std::nullopt;
    }
    QStringView rest = QStringView(text).mid(pos).trimmed();
    if (!rest.startsWith(u'='))
        return std::nullopt;
    rest = rest.mid(1).trimmed();
    value.firstLine = line;
    value.endLine = line + 1;

    if (rest.startsWith(u'"')) {
        qsizetype end = 0;
        std::optional<QString> string = Unquote(rest, end);
        if (!string || !rest.mid(end).trimmed().isEmpty())
            return std::nullopt;
        value.text = CutAtNul(std::move(*string));
        return value;
    }
    if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        if (!HexNumber(rest.mid(6)))
            return std::nullopt;
        return value;
    }
    if (!rest.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return std::nullopt;

    uint type = BinaryType;
    rest = rest.mid(3);
    if (rest.startsWith(u'(')) {
        const qsizetype close = rest.indexOf(u')');
        const std::optional<uint> number =
            close < 0 ? std::nullopt : HexNumber(rest.mid(1, close - 1));
        if (!number)
            return std::nullopt;
        type = *number;
        rest = rest.mid(close + 1);
    }
    if (!rest.startsWith(u':'))
        return std::nullopt;

    // Long data goes on over the following lines, each one but the last ending in a backslash.
    QString data = rest.mid(1).toString();
    const auto count = qsizetype(lines.size());
    while (data.endsWith(u'\\')) {
        data.chop(1);
        const QString next = value.endLine < count ? Text(value.endLine) : QString();
        if (!IsContinuation(next))
            return std::nullopt; // cut short: the value is not all there
        data += next;
        ++value.endLine;
    }
    const std::optional<QByteArray> bytes = HexBytes(data);
    if (!bytes)
        return std::nullopt;
    if (type == StringType)
        value.text = CutAtNul(Utf8Text(*bytes));
    return value;
}

// The value line that stores text under name.
QByteArray ValueLine(const QString &name, const QString &text, const QByteArray &lineEnd)
{
    QByteArray line = ((name.isEmpty() ? QStringLiteral("@") : Quote(name)) + u'=').toUtf8();
    if (!HasControlCharacter(text))
        return line + Quote(text).toUtf8();

    // A quoted string cannot hold a line break or a NUL: such text is written as the bytes of
    // a string, with its closing NUL, as the registry's own export does.
    QByteArray bytes = text.toUtf8();
    bytes.append('\0');
    line += "hex(1):";
    qsizetype column = line.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        line += QByteArray::number(uchar(bytes[i]), 16).rightJustified(2, '0');
        column += 2;
        if (i + 1 == bytes.size())
            break;
        line += ',';
        if (++column > 76) {
            line += '\\' + lineEnd + "  ";
            column = 2;
        }
    }
    return line;
}

// The file's bytes, empty when there is no file, or nothing when it is there but cannot be
// read whole. Only the room the file needs is taken, never the most it may hold.
std::optional<QByteArray> ReadRegistryFile()
{
    const QString path = RegistryFilePath();
    if (path.isEmpty())
        return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists())
        return QByteArray();
    if (!info.isFile() || info.size() > MaxFileSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (bytes.size() > MaxFileSize || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool SaveRegistryFile(const QByteArray &bytes)
{
    const QString path = RegistryFilePath();
    QString reason;
    return !path.isEmpty() &&
           WriteWholeFile(
               path, [&bytes](const PieceWriter &write) { return write(bytes); }, reason);
}

} // namespace

QString RegistryFilePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return {};
    return config + QStringLiteral("/Tavrel/registry.reg");
}

QString RegReadString(RegRoot root, const QString &keyPath, const QString &valueName,
                      const QString &defaultText)
{
    const std::optional<QStringList> path = SplitKeyPath(keyPath);
    if (!path)
        return defaultText;
    std::optional<QByteArray> bytes = ReadRegistryFile();
    if (!bytes)
        return defaultText;

    // As when the file is imported, a value defined twice has its last definition.
    const RegistryText text(std::move(*bytes));
    const Value *found = nullptr;
    for (const Section &section : text.Sections()) {
        if (section.root != root || !SamePath(section.path, *path))
            continue;
        for (const Value &value : section.values) {
            if (SameName(value.name, valueName))
                found = &value;
        }
    }
    return found && found->text ? *found->text : defaultText;
}

bool RegWriteString(RegRoot root, const QString &keyPath, const QString &valueName,
                    const QString &value)
{
    const std::optional<QStringList> path = SplitKeyPath(keyPath);
    const QString rootName = RootName(root);
    if (!path || rootName.isEmpty() || HasControlCharacter(valueName))
        return false;
    std::optional<QByteArray> bytes = ReadRegistryFile();
    if (!bytes)
        return false; // rewriting what could not be read would lose it

    const RegistryText text(std::move(*bytes));
    const QByteArray &old = text.Bytes();
    const std::vector<Line> &lines = text.Lines();

    const Section *lastSection = nullptr;
    const Value *lastValue = nullptr;
    for (const Section &section : text.Sections()) {
        if (section.root != root || !SamePath(section.path, *path))
            continue;
        lastSection = &section;
        for (const Value &v : section.values) {
            if (SameName(v.name, valueName))
                lastValue = &v;
        }
    }

    QByteArray updated;
    if (lastValue) {
        // The definition that counts is replaced, whatever its type; its line end stays.
        const qsizetype last = lastValue->endLine - 1;
        const qsizetype from = lines[size_t(lastValue->firstLine)].begin;
        const qsizetype to = lines[size_t(last)].textEnd;
        updated = old.left(from) + ValueLine(valueName, value, text.LineEnd(last)) + old.mid(to);
    } else if (lastSection) {
        // A new value goes at the end of its key, before the blank lines that part it from
        // the next one.
        qsizetype after = lastSection->endLine - 1;
        while (after > lastSection->keyLine && text.IsBlank(after))
            --after;
        const Line &line = lines[size_t(after)];
        const QByteArray lineEnd = text.LineEnd(after);
        const QByteArray valueLine = ValueLine(valueName, value, lineEnd);
        const QByteArray inserted =
            line.end > line.textEnd ? valueLine + lineEnd : lineEnd + valueLine;
        updated = old.left(line.end) + inserted + old.mid(line.end);
    } else {
        // The key line stands for the key and every key above it.
        QByteArray lineEnd = QByteArrayLiteral("\n");
        updated = old;
        if (lines.empty()) {
            updated += "REGEDIT4" + lineEnd + lineEnd;
        } else {
            const qsizetype last = qsizetype(lines.size()) - 1;
            lineEnd = text.LineEnd(last);
            if (lines.back().end == lines.back().textEnd)
                updated += lineEnd;
            if (!text.IsBlank(last))
                updated += lineEnd;
        }
        QString keyLine = u'[' + rootName;
        for (const QString &name : *path)
            keyLine += u'\\' + name;
        keyLine += u']';
        updated += keyLine.toUtf8() + lineEnd + ValueLine(valueName, value, lineEnd) + lineEnd;
    }
    return SaveRegistryFile(updated);
}
