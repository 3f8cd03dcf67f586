#pragma once

#include <QString>

#include <memory>

class QSettings;
struct TypedTexts;

// The per-user store of texts, addressed by section and key, under the application "Tavrel":
// $XDG_CONFIG_HOME/Tavrel/Tavrel.conf on Linux, %APPDATA%\Tavrel\Tavrel.ini on Windows. Where
// that file is missing, a store an earlier program kept in the platform's settings area is read
// instead, and left as it is; the next Sync() writes the file. Each object reads the store afresh.
// Changes are gathered in a new file beside the store until Sync() puts it in the store's place in
// one step; an object dropped without Sync() changes nothing.
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

    static QString FilePath();

private:
    const QSettings &Stored() const;
    QSettings &Staged(bool keepStored);
    void DropStaged();
    QString TypedText(const QString &section, const QString &key) const;

    mutable std::unique_ptr<QSettings> stored; // the store as it is, opened at the first read
    // The store's values as typed, read once, at the first that Qt reads as a list.
    mutable std::unique_ptr<TypedTexts> typed;
    std::unique_ptr<QSettings> staged; // the store to be, from the first change on
    QString stagedPath;
};
