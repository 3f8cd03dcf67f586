#include "StartPageFirefox.h"

#include "BrowserStartPage.h"
#include "FirefoxHomePage.h"
#include "FirefoxProfile.h"
#include "FoundFirefox.h"

#include <QDir>

namespace {

QString WriteError(const QString &where)
{
    return QStringLiteral("Firefox settings write error.") + u'\r' + where + u'\r' +
           QStringLiteral("Firefox home page not set.");
}

class FirefoxStartPage final : public BrowserStartPage
{
public:
    explicit FirefoxStartPage(FoundFirefox firefox) : firefox(std::move(firefox)) {}

    BrowserChoiceTexts Texts() const override { return FirefoxTexts(); }

    bool Present() const override { return !Profile().isEmpty(); }

    bool ShowsPage(const QString &page) override
    {
        const QString profile = Profile();
        if (profile.isEmpty())
            return false;
        GiveBackHomePage(profile, page);
        return IsPageAddress(FirefoxHomePage(profile), page);
    }

    Change Make(const QString &page) override
    {
        // The profile may have gone since the dialog opened.
        const QString profile = Profile();
        if (profile.isEmpty())
            return {{}, WriteError(QStringLiteral("Firefox has no default profile any more."))};
        const QString replaced = FirefoxHomePage(profile);
        const QString reason = SetPageAsHomePage(profile, page);
        if (!reason.isEmpty()) {
            return {{},
                    WriteError(QDir::toNativeSeparators(UserJsPath(profile)) +
                               QStringLiteral(": ") + reason)};
        }
        return {replaced, {}};
    }

    void PutBack(const QString &address) override
    {
        const QString profile = Profile();
        if (!profile.isEmpty())
            RestoreHomePage(profile, address);
    }

    // Firefox always has a home page, so one was stored; should the store have lost it,
    // Firefox's own default is what the user had before choosing any.
    QString Forgotten() const override { return FirefoxDefaultHomePage; }

    QString PageFolder() const override { return firefox.PageFolder; }

private:
    // Found afresh at each step: the user may have made another profile the default since.
    QString Profile() const
    {
        return DefaultFirefoxProfile(firefox.ProfilesFolder, firefox.Programs);
    }

    FoundFirefox firefox;
};

} // namespace

std::unique_ptr<BrowserStartPage> ChooseFirefox(const QList<FoundFirefox> &firefoxes)
{
    for (const FoundFirefox &firefox : firefoxes) {
        // A profile left behind by a Firefox since removed does not count.
        if (!firefox.Programs.isEmpty() &&
            !DefaultFirefoxProfile(firefox.ProfilesFolder, firefox.Programs).isEmpty())
            return std::make_unique<FirefoxStartPage>(firefox);
    }
    return nullptr;
}

BrowserChoiceTexts FirefoxTexts()
{
    return {QStringLiteral("Firefox"),
            QStringLiteral(" Makes the list Firefox's home page from Firefox's next start ")};
}
