#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
#include <QTextStream>

#include <cstdio>

namespace {

const QString Application = QStringLiteral("Tavrel");

QString Path(const QString &section, const QString &key)
{
    return section + u'/' + key;
}

// Section and key names in the file escape what they cannot hold as %XX or %UXXXX.
QString UnescapeName(QStringView name)
{
    QString result;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name[i] == u'%' && i + 2 < name.size()) {
            const bool wide = name[i + 1] == u'U';
            const qsizetype digits = wide ? 4 : 2;
            const qsizetype from = wide ? i + 2 : i + 1;
            bool ok = false;
            const uint code = name.mid(from, digits).toUInt(&ok, 16);
            if (ok && from + digits <= name.size()) {
                result += QChar(char16_t(code));
                i = from + digits - 1;
                continue;
            }
        }
        result += name[i];
    }
    return result;
}

// Qt commits a short write (a full disk) as if it were whole, so a freshly written file is
// checked line by line: a section header for each section, a line for each key, and a blank
// line between sections.
bool WrittenWhole(const QString &path, const QStringList &keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    if (keys.isEmpty())
        return content.isEmpty();
    QSet<QStringView> sections;
    for (const QString &key : keys) {
        const qsizetype slash = key.indexOf(u'/');
        sections.insert(slash < 0 ? QStringView() : QStringView(key).left(slash));
    }
    const qsizetype lines = keys.size() + 2 * sections.size() - 1;
    return content.endsWith('\n') && content.count('\n') == lines;
}

} // namespace

SettingsStore::SettingsStore()
    : settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           Application, Application))
{
    settings->setFallbacksEnabled(false);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::ReadSetting(const QString &section, const QString &key,
                                   const QString &defaultText) const
{
    const QString path = Path(section, key);
    if (const auto pending = written.constFind(path); pending != written.cend())
        return *pending;
    if (deleted)
        return defaultText;
    const QVariant value = settings->value(path);
    if (!value.isValid())
        return defaultText;
    // A hand-typed value with a bare comma comes back from Qt as a list; what the user
    // meant is the text as typed.
    if (value.typeId() == QMetaType::QStringList)
        return RawText(section, key);
    return value.toString();
}

void SettingsStore::WriteSetting(const QString &section, const QString &key, const QString &text)
{
    written.insert(Path(section, key), text);
}

void SettingsStore::DeleteAllSettings()
{
    deleted = true;
    written.clear();
}

bool SettingsStore::Sync()
{
    // The store is written whole into a new file beside it, checked, and renamed over it, so
    // that a crash or a full disk leaves the old store or the new one, never a part of either.
    // Writing through the reading object instead could also leave changes behind that Qt
    // writes later on its own.
    const QString target = settings->fileName();
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return false;
    static int saves = 0;
    const QString scratch = QStringLiteral("%1.%2-%3.saving")
                                .arg(target)
                                .arg(QCoreApplication::applicationPid())
                                .arg(++saves);

    QStringList keys;
    bool ok = false;
    {
        QSettings out(scratch, QSettings::IniFormat);
        out.clear();
        if (!deleted) {
            for (const QString &key : settings->allKeys()) {
                if (!written.contains(key))
                    out.setValue(key, settings->value(key));
            }
        }
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            out.setValue(it.key(), it.value());
        keys = out.allKeys();
        out.sync();
        ok = out.status() == QSettings::NoError;
    }
    ok = ok && WrittenWhole(scratch, keys) &&
         std::rename(QFile::encodeName(scratch).constData(),
                     QFile::encodeName(target).constData()) == 0;
    if (!ok) {
        QFile::remove(scratch);
        return false;
    }
    written.clear();
    deleted = false;
    settings->sync(); // take in the new file
    return true;
}

QString SettingsStore::FileName() const
{
    return settings->fileName();
}

QString SettingsStore::FilePath()
{
    return SettingsStore().FileName();
}

QString SettingsStore::RawText(const QString &section, const QString &key) const
{
    QFile file(settings->fileName());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    QString current;
    QString found;
    QString line;
    while (in.readLineInto(&line)) {
        const QStringView trimmed = QStringView(line).trimmed();
        if (trimmed.startsWith(u'[') && trimmed.endsWith(u']')) {
            current = UnescapeName(trimmed.mid(1, trimmed.size() - 2));
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || current != section)
            continue;
        if (UnescapeName(QStringView(line).left(equals).trimmed()) == key)
            found = line.mid(equals + 1).trimmed(); // a later line wins, as it does for Qt
    }
    return found;
}
