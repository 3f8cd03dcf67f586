#include "StartPage.h"

#include "BrowserStartPage.h"
#include "ProgramLayout.h"
#include "Registry.h"

namespace {

const QString StartPageKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString StartPageValue = QStringLiteral("Start Page");
const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");
const QString VersionValue = QStringLiteral("Version");

} // namespace

qint16 DetectStartPage()
{
    const QString startPage =
        RegReadString(RegRoot::CurrentUser, StartPageKey, StartPageValue, QString());
    // Case is all that is forgiven: a file URL or other spelling of the same file is
    // another page.
    return startPage.toLower() == PagePath().toLower() ? 1 : 0;
}

bool BrowserPresent()
{
    return !RegReadString(RegRoot::LocalMachine, BrowserKey, VersionValue, QString()).isEmpty();
}

StartPageChange MakeStartPage(const QString &page)
{
    // Where no start page was set, the page itself is the one it replaced.
    const QString replaced =
        RegReadString(RegRoot::CurrentUser, StartPageKey, StartPageValue, page);
    if (!RegWriteString(RegRoot::CurrentUser, StartPageKey, StartPageValue, page)) {
        return {{},
                QStringLiteral("Registry write error.") + u'\r' +
                    QStringLiteral("Internet Explorer home page not set.")};
    }
    return {replaced, {}};
}

void PutBackStartPage(const QString &address)
{
    RegWriteString(RegRoot::CurrentUser, StartPageKey, StartPageValue, address);
}

QString ForgottenStartPage()
{
    return QStringLiteral("http://www.tavrel.example/"); // the makers' own
}

BrowserChoiceTexts BrowserChoice()
{
    return {QStringLiteral("Internet Explorer"), QStringLiteral(" Only verified on versions 4-5 ")};
}
