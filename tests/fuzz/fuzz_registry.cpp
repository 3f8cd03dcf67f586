// The registry.reg reader and writer on any file bytes: every read goes without fault; a value
// written into the file reads back as written (up to a NUL, where a registry string ends); the
// write changes no other value, keeps every line it does not replace byte for byte, and a
// second write of the same value changes nothing more.
#include "FuzzSupport.h"
#include "Registry.h"
#include "RegistryFile.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <array>
#include <vector>

namespace {

const std::array<QString, 3> KeyPaths = {
    QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"),
    QStringLiteral("Software\\Test"),
    QStringLiteral("SOFTWARE\\test\\Sub"),
};
// The last name stands for one taken from the value itself.
const std::array<QString, 5> Names = {
    QStringLiteral("Start Page"), QStringLiteral("v"), QString(),
    QStringLiteral("Na\"me\\"),   QString(),
};

struct Place
{
    RegRoot Root;
    QString KeyPath;
    QString Name;
};

// The input: one byte choosing where to write, one byte giving the length of the value's UTF-8,
// the value, and then the bytes of the file.
struct Input
{
    Place Target;
    QString Value;
    QByteArray File;
};

Input ParseInput(QByteArrayView bytes)
{
    const uchar choice = bytes.isEmpty() ? 0 : uchar(bytes[0]);
    const qsizetype length =
        bytes.size() < 2 ? 0 : std::min<qsizetype>(uchar(bytes[1]), bytes.size() - 2);
    Input input;
    input.Value = QString::fromUtf8(bytes.sliced(std::min<qsizetype>(2, bytes.size()), length));
    input.File = bytes.sliced(std::min<qsizetype>(2, bytes.size()) + length).toByteArray();
    const std::size_t name = (choice >> 3) % Names.size();
    input.Target = {(choice & 1) ? RegRoot::LocalMachine : RegRoot::CurrentUser,
                    KeyPaths[(choice >> 1) % KeyPaths.size()],
                    name + 1 == Names.size() ? input.Value.left(40) : Names[name]};
    return input;
}

std::vector<Place> Probes(const Place &target)
{
    std::vector<Place> places;
    for (const RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
        for (const QString &keyPath : KeyPaths) {
            for (std::size_t i = 0; i + 1 < Names.size(); ++i)
                places.push_back({root, keyPath, Names[i]});
            places.push_back({root, keyPath, target.Name});
        }
    }
    return places;
}

bool Same(const Place &a, const Place &b)
{
    return a.Root == b.Root && a.KeyPath.compare(b.KeyPath, Qt::CaseInsensitive) == 0 &&
           a.Name.compare(b.Name, Qt::CaseInsensitive) == 0;
}

QString Read(const Place &place)
{
    // A text no value holds: it shows a missing value apart from an empty one.
    return RegReadString(place.Root, place.KeyPath, place.Name, QStringLiteral("\n<none>"));
}

// The file's lines with their line ends, as the reader takes them: LF, CR LF or a lone CR.
QList<QByteArray> Lines(const QByteArray &file)
{
    QList<QByteArray> lines;
    qsizetype begin = file.startsWith("\xef\xbb\xbf") ? 3 : 0;
    if (begin > 0)
        lines.append(file.left(3));
    while (begin < file.size()) {
        qsizetype end = begin;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r')
            ++end;
        if (end < file.size())
            end += file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n' ? 2 : 1;
        lines.append(file.sliced(begin, end - begin));
        begin = end;
    }
    return lines;
}

bool IsValueLineOf(QByteArray line, const QString &name)
{
    line = line.trimmed();
    if (name.isEmpty())
        return line.startsWith('@');
    QString quoted = name;
    quoted.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return QString::fromUtf8(line).startsWith(u'"' + quoted + u'"', Qt::CaseInsensitive);
}

// The lines the write replaced are one definition of the value, and nothing else: or, where the
// write only added lines, the last line of the file, which gains the line end it lacked.
void CheckKept(const QByteArray &before, const QByteArray &after, const QString &name)
{
    const QList<QByteArray> old = Lines(before);
    const QList<QByteArray> now = Lines(after);
    qsizetype head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head])
        ++head;
    qsizetype tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail])
        ++tail;
    const QList<QByteArray> replaced = old.mid(head, old.size() - head - tail);
    if (replaced.isEmpty() || IsValueLineOf(replaced[0], name))
        return;
    const QByteArray &last = replaced[0];
    Require(replaced.size() == 1 && head + 1 == old.size() && !last.endsWith('\n') &&
                !last.endsWith('\r') && now[head].startsWith(last),
            "only the value's own lines are replaced");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Input input = ParseInput(QByteArrayView(data, qsizetype(size)));
    const QString path = RegistryFilePath();
    Require(WriteFileBytes(path, input.File), "the registry file is written");

    const std::vector<Place> probes = Probes(input.Target);
    QStringList before;
    for (const Place &probe : probes)
        before.append(Read(probe));

    const Place &target = input.Target;
    const bool nameFits = std::none_of(target.Name.begin(), target.Name.end(),
                                       [](QChar c) { return c.unicode() < 0x20; });
    const bool written = RegWriteString(target.Root, target.KeyPath, target.Name, input.Value);
    const QByteArray once = ReadFileBytes(path);
    if (!nameFits) {
        Require(!written && once == input.File, "a name with a control character is refused");
        return 0;
    }
    Require(written, "the write succeeds");
    Require(Read(target) == input.Value.left(input.Value.indexOf(QChar(0))),
            "the value reads back as written");
    for (std::size_t i = 0; i < probes.size(); ++i) {
        if (!Same(probes[i], target))
            Require(Read(probes[i]) == before[qsizetype(i)], "no other value changes");
    }
    CheckKept(input.File, once, target.Name);

    Require(RegWriteString(target.Root, target.KeyPath, target.Name, input.Value),
            "the second write succeeds");
    Require(ReadFileBytes(path) == once, "writing the same value again changes nothing");
    return 0;
}
