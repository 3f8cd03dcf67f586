#pragma once

#include <QString>

#include <memory>

class StoreMap;

// The per-user store of texts, addressed by section and key, under the application "Tavrel":
// $XDG_CONFIG_HOME/Tavrel/Tavrel.conf on Linux, Tavrel\Tavrel.ini in the roaming application data
// folder on Windows. Each object reads the file once, at its first use; where the file is
// missing, it reads the list an earlier program kept in the platform's settings area instead,
// and leaves that as it is. Changes stay in the object until Sync() writes the whole store in
// the file's place in one step; an object dropped without Sync() changes nothing.
class SettingsStore
{
public:
    SettingsStore();
    ~SettingsStore();
    Q_DISABLE_COPY_MOVE(SettingsStore)

    QString ReadSetting(const QString &section, const QString &key,
                        const QString &defaultText = {}) const;
    void WriteSetting(const QString &section, const QString &key, const QString &text);
    void DeleteAllSettings();

    // Answers false when the store could not be written, with the system's reason in reason
    // where given; the file is then left as it was.
    bool Sync(QString *reason = nullptr);

    // In Qt's form ('/').
    static QString FilePath();

private:
    StoreMap &Map() const;

    mutable std::unique_ptr<StoreMap> map; // read at the first use
    bool changed = false;
};
