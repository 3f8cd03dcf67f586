#include "FoundFirefox.h"

#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <string>

#include <windows.h>

namespace {

const std::wstring FirefoxKey = L"SOFTWARE\\Mozilla\\Mozilla Firefox";

// A string value of the key at path, read wide so that a name outside the ANSI code page
// arrives whole. Nothing for a missing key or value, a value that is not a string, or one
// that holds a NUL before its end.
std::optional<QString> ReadString(HKEY root, REGSAM view, const std::wstring &path,
                                  const wchar_t *name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<QString> result;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        DWORD copied = size;
        // The value may have changed since it was measured: only a second successful query of
        // a string says what the buffer holds.
        if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()),
                             &copied) == ERROR_SUCCESS &&
            type == REG_SZ && copied <= size) {
            data.resize(copied / sizeof(wchar_t));
            while (!data.empty() && data.back() == L'\0')
                data.pop_back();
            if (data.find(L'\0') == std::wstring::npos)
                result = QString::fromStdWString(data);
        }
    }
    RegCloseKey(key);
    return result;
}

// The program that one registration of Firefox names, when it is there.
std::optional<QString> RegisteredProgram(HKEY root, REGSAM view)
{
    const std::optional<QString> version = ReadString(root, view, FirefoxKey, L"CurrentVersion");
    if (!version || version->isEmpty() || version->contains(u'\\'))
        return std::nullopt;
    const std::wstring main = FirefoxKey + L'\\' + version->toStdWString() + L"\\Main";
    const std::optional<QString> exe = ReadString(root, view, main, L"PathToExe");
    if (!exe)
        return std::nullopt;
    const QString program = QDir::fromNativeSeparators(*exe);
    if (!QDir::isAbsolutePath(program) || !QFileInfo(program).isFile())
        return std::nullopt;
    return program;
}

} // namespace

// Release and ESR register here, per user or for the machine, a 32-bit Firefox in the machine's
// 32-bit view; all share the profiles in the roaming folder, and the profile's own record of
// the program that last ran it tells them apart.
QList<FoundFirefox> FindFirefoxes()
{
    const std::pair<HKEY, REGSAM> registrations[] = {
        {HKEY_CURRENT_USER, 0},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
        {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY},
    };
    QStringList programs;
    for (const auto &[root, view] : registrations) {
        const std::optional<QString> program = RegisteredProgram(root, view);
        if (program && !programs.contains(*program, Qt::CaseInsensitive))
            programs.append(*program);
    }
    if (programs.isEmpty())
        return {};
    return {{programs, UserConfigFolder() + QStringLiteral("/Mozilla/Firefox"), {}}};
}
