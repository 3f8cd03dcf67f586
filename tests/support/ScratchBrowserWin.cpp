#include "ScratchBrowser.h"

#include "FirefoxHomePage.h"
#include "ProgramLayout.h"
#include "Registry.h"
#include "ScratchFirefox.h"
#include "ScratchRegistry.h"
#include "ScratchUser.h"
#include "TestSupport.h"
#include "UserFolders.h"

#include <QDir>

#include <windows.h>

namespace {

const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");
const QString StartPageKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString WindowsKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
const std::wstring FirefoxKey = L"SOFTWARE\\Mozilla\\Mozilla Firefox";

QString MozillaFolder()
{
    return UserConfigFolder() + QStringLiteral("/Mozilla");
}

QString ProfilesFolder()
{
    return MozillaFolder() + QStringLiteral("/Firefox");
}

bool SetValue(const QString &key, const QString &name, const QString &value)
{
    return RegWriteString(RegRoot::LocalMachine, key, name, value);
}

// A value of the key at path in root's view, written wide: a text, a number or nothing.
bool WriteValue(HKEY root, REGSAM view, const std::wstring &path, const wchar_t *name,
                const QVariant &value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | view, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    LSTATUS status = ERROR_SUCCESS;
    if (value.typeId() == QMetaType::UInt) {
        const DWORD number = value.toUInt();
        status = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number),
                                sizeof number);
    } else if (value.isValid()) {
        const std::wstring text = value.toString().toStdWString();
        status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                                DWORD((text.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace

struct ScratchBrowser::State
{
    ScratchRegistry registry;
};

ScratchBrowser::ScratchBrowser() : state(std::make_unique<State>())
{
    if (!MozillaFolder().startsWith(ScratchUser::Root() + u'/'))
        qFatal("No scratch folder for Firefox's profiles");
    QDir(MozillaFolder()).removeRecursively();
    Settled();
}

ScratchBrowser::~ScratchBrowser()
{
    UsePageFolder({});
}

QStringList ScratchBrowser::Snapshot()
{
    return QStringList{RegReadString(RegRoot::CurrentUser, StartPageKey,
                                     QStringLiteral("Start Page"), QStringLiteral("(none)"))} +
           Listing(MozillaFolder());
}

QList<Browser> ScratchBrowser::Browsers()
{
    return {Browser::InternetExplorer, Browser::Firefox};
}

bool ScratchBrowser::Install(Browser browser)
{
    bool made = false;
    if (browser == Browser::InternetExplorer) {
        made = SetWindows(QStringLiteral("17763"), QStringLiteral("EnterpriseS")) &&
               SetValue(BrowserKey, QStringLiteral("Version"), QStringLiteral("9.11.17763.0"));
    } else {
        const QString program =
            ScratchUser::Root() + QStringLiteral("/Program Files/Mozilla Firefox/firefox.exe");
        made = MakeProgram(program) && MakeFirefoxProfile(ProfilesFolder()) &&
               RegisterFirefox(Registration::Machine, QStringLiteral("115.5.0esr (x64 en-US)"),
                               QDir::toNativeSeparators(program));
    }
    last = browser;
    Settled();
    return made;
}

bool ScratchBrowser::LeaveBehind()
{
    const bool made = SetValue(BrowserKey, QStringLiteral("Version"), QString()) &&
                      MakeFirefoxProfile(ProfilesFolder());
    Settled();
    return made;
}

bool ScratchBrowser::SetWindows(const QString &build, const QString &edition,
                                const QString &installationType)
{
    const std::pair<const char *, QString> values[] = {
        {"CurrentBuildNumber", build},
        {"EditionID", edition},
        {"InstallationType", installationType},
    };
    bool made = true;
    for (const auto &[name, value] : values) {
        if (!value.isEmpty())
            made = SetValue(WindowsKey, QString::fromLatin1(name), value) && made;
    }
    Settled();
    return made;
}

bool ScratchBrowser::RefuseWrites(Browser browser)
{
    if (browser == Browser::InternetExplorer)
        return state->registry.RefuseWrites();
    return BlockUserJs(FirefoxProfile());
}

QString ScratchBrowser::StartPage(Browser browser) const
{
    if (browser == Browser::Firefox)
        return FirefoxHomePage(FirefoxProfile());
    return RegReadString(RegRoot::CurrentUser, StartPageKey, QStringLiteral("Start Page"),
                         QString());
}

bool ScratchBrowser::SetStartPage(Browser browser, const QString &page)
{
    if (browser == Browser::Firefox)
        return SetFirefoxHomePage(FirefoxProfile(), page);
    return RegWriteString(RegRoot::CurrentUser, StartPageKey, QStringLiteral("Start Page"), page);
}

bool ScratchBrowser::Remove(Browser)
{
    return false;
}

QString ScratchBrowser::OwnFolder(Browser)
{
    return {};
}

QString ScratchBrowser::FirefoxProfile(Browser)
{
    return ScratchProfileIn(ProfilesFolder());
}

bool ScratchBrowser::RegisterFirefox(Registration where, const QString &version,
                                     const QVariant &pathToExe)
{
    const HKEY root = where == Registration::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    const REGSAM view = where == Registration::Machine     ? KEY_WOW64_64KEY
                        : where == Registration::Machine32 ? KEY_WOW64_32KEY
                                                           : 0;
    const std::wstring main = FirefoxKey + L'\\' + version.toStdWString() + L"\\Main";
    const bool made = WriteValue(root, view, FirefoxKey, L"CurrentVersion", version) &&
                      WriteValue(root, view, main, L"PathToExe", pathToExe);
    Settled();
    return made;
}

bool ScratchBrowser::MakeProgram(const QString &path)
{
    return WriteFileBytes(path, "MZ");
}
