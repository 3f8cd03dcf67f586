#include "StartPageInternetExplorer.h"

#include "BrowserStartPage.h"
#include "Registry.h"

namespace {

const QString StartPageKey = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");
const QString StartPageValue = QStringLiteral("Start Page");
const QString BrowserKey = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer");
const QString WindowsKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");

class InternetExplorerStartPage final : public BrowserStartPage
{
public:
    BrowserChoiceTexts Texts() const override { return InternetExplorerTexts(); }

    bool Present() const override { return InternetExplorerRuns(ReadWindowsFacts()); }

    bool ShowsPage(const QString &page) override
    {
        // Case is all that is forgiven: a file URL or other spelling of the same file is
        // another page.
        return RegReadString(RegRoot::CurrentUser, StartPageKey, StartPageValue, QString())
                   .toLower() == page.toLower();
    }

    Change Make(const QString &page) override
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

    void PutBack(const QString &address) override
    {
        RegWriteString(RegRoot::CurrentUser, StartPageKey, StartPageValue, address);
    }

    QString Forgotten() const override
    {
        return QStringLiteral("http://www.tavrel.example/"); // the makers' own
    }
};

QString WindowsValue(const QString &name)
{
    return RegReadString(RegRoot::LocalMachine, WindowsKey, name, QString());
}

} // namespace

WindowsFacts ReadWindowsFacts()
{
    return {WindowsValue(QStringLiteral("CurrentBuildNumber")),
            WindowsValue(QStringLiteral("EditionID")),
            WindowsValue(QStringLiteral("InstallationType")),
            RegReadString(RegRoot::LocalMachine, BrowserKey, QStringLiteral("Version"), QString())};
}

std::unique_ptr<BrowserStartPage> ChooseInternetExplorer()
{
    if (!InternetExplorerRuns(ReadWindowsFacts()))
        return nullptr;
    return std::make_unique<InternetExplorerStartPage>();
}

BrowserChoiceTexts InternetExplorerTexts()
{
    return {QStringLiteral("Internet Explorer"), QStringLiteral(" Only verified on versions 4-5 ")};
}
