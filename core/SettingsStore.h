#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user store of texts, addressed by section and key, under the application "Tavrel":
// $XDG_CONFIG_HOME/Tavrel/Tavrel.conf on Linux. Each object opens the store afresh; what it
// writes reaches the disk, in one atomic replacement of the file, when Sync() is called.
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

    // Answers false when the store could not be written.
    bool Sync();
    QString FileName() const;

    static QString FilePath();

private:
    QString RawText(const QString &section, const QString &key) const;

    std::unique_ptr<QSettings> settings;
};
