#include "ScratchRegistry.h"

#include <QCoreApplication>

#include <windows.h>

namespace {

HKEY RootKey(RegRoot root)
{
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring Wide(const QString &text)
{
    return text.toStdWString();
}

const std::wstring Parent = L"Software\\Tavrel tests";

std::wstring OwnTree()
{
    return Parent + L'\\' + std::to_wstring(QCoreApplication::applicationPid());
}

// A fresh key of this process's tree; a volatile one takes no lasting key beneath it.
HKEY CreateScratch(const wchar_t *name, DWORD options = REG_OPTION_NON_VOLATILE)
{
    HKEY key = nullptr;
    const std::wstring path = OwnTree() + L'\\' + name;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, options, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool HoldsNothing(HKEY key)
{
    DWORD subKeys = 0;
    DWORD values = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                            nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subKeys == 0 && values == 0;
}

} // namespace

struct ScratchRegistry::Keys
{
    HKEY currentUser = nullptr;
    HKEY localMachine = nullptr;
    HKEY refusing = nullptr;
};

ScratchRegistry::ScratchRegistry() : keys(std::make_unique<Keys>())
{
    // A tree left by an earlier process of the same id, one that ended before its cleanup.
    RegDeleteTreeW(HKEY_CURRENT_USER, OwnTree().c_str());
    keys->currentUser = CreateScratch(L"HKEY_CURRENT_USER");
    keys->localMachine = CreateScratch(L"HKEY_LOCAL_MACHINE");
    keys->refusing = CreateScratch(L"Refusing", REG_OPTION_VOLATILE);
    // Going on with the real keys would change the user's browser.
    if (!keys->currentUser || !keys->localMachine || !keys->refusing ||
        RegOverridePredefKey(HKEY_CURRENT_USER, keys->currentUser) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, keys->localMachine) != ERROR_SUCCESS)
        qFatal("The tests' scratch registry could not be set up");
}

ScratchRegistry::~ScratchRegistry()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    for (HKEY key : {keys->currentUser, keys->localMachine, keys->refusing}) {
        if (key)
            RegCloseKey(key);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, OwnTree().c_str());
    // Fails, as it should, while another suite's tree is there.
    RegDeleteKeyW(HKEY_CURRENT_USER, Parent.c_str());
}

bool ScratchRegistry::IsEmpty() const
{
    return HoldsNothing(keys->currentUser) && HoldsNothing(keys->localMachine);
}

// Beneath a volatile key only volatile keys can be made, and the program makes lasting ones.
bool ScratchRegistry::RefuseWrites()
{
    return RegOverridePredefKey(HKEY_CURRENT_USER, keys->refusing) == ERROR_SUCCESS &&
           RegOverridePredefKey(HKEY_LOCAL_MACHINE, keys->refusing) == ERROR_SUCCESS;
}

bool RegWriteNumber(RegRoot root, const QString &keyPath, const QString &valueName, quint32 number)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootKey(root), Wide(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const DWORD data = number;
    const bool stored =
        RegSetValueExW(key, Wide(valueName).c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE *>(&data), sizeof data) == ERROR_SUCCESS;
    RegCloseKey(key);
    return stored;
}
