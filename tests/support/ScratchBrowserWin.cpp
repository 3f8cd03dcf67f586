#include "ScratchBrowser.h"

#include "ProgramLayout.h"
#include "Registry.h"
#include "ScratchRegistry.h"

namespace {

const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");

bool SetVersion(const QString &version)
{
    return RegWriteString(RegRoot::LocalMachine, BrowserKey, QStringLiteral("Version"), version);
}

} // namespace

struct ScratchBrowser::State
{
    ScratchRegistry registry;
};

ScratchBrowser::ScratchBrowser() : state(std::make_unique<State>()) {}

ScratchBrowser::~ScratchBrowser() = default;

bool ScratchBrowser::Install()
{
    return SetVersion(QStringLiteral("5.50.4807.2300"));
}

bool ScratchBrowser::LeaveBehind()
{
    return SetVersion(QString());
}

bool ScratchBrowser::ShowsThePage() const
{
    return RegReadString(RegRoot::CurrentUser,
                         QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main"),
                         QStringLiteral("Start Page"), QString()) == PagePath();
}

bool ScratchBrowser::IsUntouched() const
{
    return state->registry.IsEmpty();
}
