#include "ScratchUser.h"

#include "TestSeams.h"
#include "TestSupport.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace {

// Handed down to the processes a suite starts, so that they use its folders.
constexpr char RootVariable[] = "TAVREL_TEST_USER_ROOT";

void PointUserFoldersAt(const QString &root)
{
    if (OnWindows) {
        UseUserFoldersForTests(root);
        return;
    }
    const QByteArray base = QFile::encodeName(root);
    qputenv("HOME", base + "/home");
    qputenv("XDG_CONFIG_HOME", base + "/home/.config");
    qputenv("XDG_DATA_HOME", base + "/home/.local/share");
    qputenv("XDG_CACHE_HOME", base + "/home/.cache");
    qputenv("XDG_STATE_HOME", base + "/home/.local/state");
    QDir().mkpath(root + QStringLiteral("/home"));
}

} // namespace

ScratchUser::ScratchUser(const QString &base)
{
    if (qEnvironmentVariableIsEmpty(RootVariable)) {
        owned.emplace((base.isEmpty() ? QDir::tempPath() : base) +
                      QStringLiteral("/tavrel-tests-XXXXXX"));
        if (!owned->isValid())
            qFatal("No scratch folder for the user's files: %s", qPrintable(owned->errorString()));
        qputenv(RootVariable, QFile::encodeName(owned->path()));
    }
    PointUserFoldersAt(Root());
    // What a suite removes or writes of the user's is the scratch user's, whatever it does.
    for (const QString &folder : {UserConfigFolder(), StoreFolder(), UserDataFolder()}) {
        if (!folder.startsWith(Root() + u'/'))
            qFatal("The user's folder %s is not below the scratch folder", qPrintable(folder));
    }
}

QString ScratchUser::Root()
{
    return QDir::fromNativeSeparators(qEnvironmentVariable(RootVariable));
}
