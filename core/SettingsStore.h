#pragma once

#include <QHash>
#include <QString>

#include <memory>

class QSettings;

// The per-user store of texts, addressed by section and key, under the application "Tavrel":
// $XDG_CONFIG_HOME/Tavrel/Tavrel.conf on Linux. Each object reads the store afresh. Writes
// and deletions are held in the object until Sync(), which replaces the file in one step.
class SettingsStore
{
public:
    SettingsStore();
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    QString ReadSetting(const QString &section, const QString &key,
                        const QString &defaultText = {}) const;
    void WriteSetting(const QString &section, const QString &key, const QString &text);
    void DeleteAllSettings();

    // Answers false when the store could not be written; the file is then left as it was.
    bool Sync();
    QString FileName() const;

    static QString FilePath();

private:
    QString RawText(const QString &section, const QString &key) const;

    std::unique_ptr<QSettings> settings; // only ever read: see Sync()
    QHash<QString, QString> written;
    bool deleted = false;
};
