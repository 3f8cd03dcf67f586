#include "SettingsStore.h"

#include <QFile>
#include <QSettings>
#include <QTextStream>

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
    const QVariant value = settings->value(Path(section, key));
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
    settings->setValue(Path(section, key), text);
}

void SettingsStore::DeleteAllSettings()
{
    settings->clear();
}

bool SettingsStore::Sync()
{
    settings->sync();
    return settings->status() == QSettings::NoError;
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
