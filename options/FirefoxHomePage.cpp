#include "FirefoxHomePage.h"

#include "UserPrefs.h"
#include "WholeFile.h"

#include <QFile>
#include <QUrl>

const QString FirefoxDefaultHomePage = QStringLiteral("about:home");

namespace {

// Written whole, so that Firefox, which reads the file at its start, finds the old one or the
// new one. Answers the system's reason for a failure, or nothing.
QString WriteUserJs(const QString &path, const QByteArray &bytes)
{
    QString reason;
    WriteWholeFile(
        path, [&bytes](const PieceWriter &write) { return write(bytes); }, reason);
    return reason;
}

const QString HomePagePref = QStringLiteral("browser.startup.homepage");
const QString SyncHomePagePref =
    QStringLiteral("services.sync.prefs.sync.browser.startup.homepage");

// prefs.js holds every preference the user ever changed: a few megabytes are plenty, and keep
// the program's start quick whatever the file grew to. user.js is the user's own and small.
constexpr qint64 PrefsJsLimit = 4 << 20;
constexpr qint64 UserJsLimit = 16 << 20;

QByteArray ReadUpTo(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(limit);
}

// An address as compared: a file URL as its path, percent escapes decoded, case folded.
QString Comparable(const QString &address)
{
    const QUrl url(address);
    const QString decoded =
        url.isLocalFile() ? url.toLocalFile() : QUrl::fromPercentEncoding(address.toUtf8());
    return decoded.toCaseFolded();
}

QString PrefsHomePage(const QString &profile)
{
    const QByteArray prefs = ReadUpTo(profile + QStringLiteral("/prefs.js"), PrefsJsLimit);
    return LastStringPref(ParseUserPrefs(QString::fromUtf8(prefs)), HomePagePref)
        .value_or(FirefoxDefaultHomePage);
}

QString WriteOurLines(const QString &profile, const QString &homePage, bool sync)
{
    const QString path = UserJsPath(profile);
    QFile file(path);
    QByteArray userJs;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return file.errorString();
        if (file.size() > UserJsLimit)
            return QStringLiteral("The file is too large to be the preferences file.");
        userJs = file.readAll();
        // Windows will not put a new file in the place of one that is open.
        file.close();
    }
    const QStringList lines{
        OurLine(HomePagePref, JsStringLiteral(homePage)),
        OurLine(SyncHomePagePref, sync ? QStringLiteral("true") : QStringLiteral("false")),
    };
    const QByteArray written = WithOurLines(userJs, lines);
    // A comment or string the user left open at the end would swallow our lines.
    if (LastStringPref(ParseUserPrefs(QString::fromUtf8(written)), HomePagePref) != homePage)
        return QStringLiteral("The file ends inside a comment or a text, so Firefox would not "
                              "read a line added at its end.");
    return WriteUserJs(path, written);
}

} // namespace

QString UserJsPath(const QString &profile)
{
    return profile + QStringLiteral("/user.js");
}

QString PageUrl(const QString &pagePath)
{
    return QString::fromLatin1(QUrl::fromLocalFile(pagePath).toEncoded(QUrl::FullyEncoded));
}

bool IsPageAddress(const QString &address, const QString &pagePath)
{
    if (address.isEmpty() || address.contains(u'|'))
        return false;
    return Comparable(address) == Comparable(pagePath) ||
           Comparable(address) == Comparable(PageUrl(pagePath));
}

QString FirefoxHomePage(const QString &profile)
{
    const QByteArray userJs = ReadUpTo(UserJsPath(profile), UserJsLimit);
    if (const auto set = LastStringPref(ParseUserPrefs(QString::fromUtf8(userJs)), HomePagePref))
        return *set;
    return PrefsHomePage(profile);
}

QString SetPageAsHomePage(const QString &profile, const QString &pagePath)
{
    return WriteOurLines(profile, PageUrl(pagePath), false);
}

QString RestoreHomePage(const QString &profile, const QString &address)
{
    // Syncing goes back to Firefox's default, true, rather than away: Firefox has kept our
    // false in prefs.js, and only a line that sets the default takes it out of there.
    return WriteOurLines(profile, address, true);
}

void GiveBackHomePage(const QString &profile, const QString &pagePath)
{
    const QByteArray userJs = ReadUpTo(UserJsPath(profile), UserJsLimit);
    const std::optional<QString> ours = OurStringPref(userJs, HomePagePref);
    if (!ours || IsPageAddress(*ours, pagePath))
        return;
    if (Comparable(PrefsHomePage(profile)) != Comparable(*ours))
        return; // Firefox has not run since the page was put back
    WriteUserJs(UserJsPath(profile), WithOurLines(userJs, {}));
}
