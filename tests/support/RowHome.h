#pragma once

#include "ScratchUser.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

#include <utility>

// Files of a row: a path below the row's folder and its content.
using Files = QList<std::pair<QString, QByteArray>>;

// A folder of the row's own below the scratch folder. Paths are below it; "%HOME%" in a file
// stands for it; a file ending in '/' is a folder, and content starting with "->" makes a link
// to that path.
class RowHome
{
public:
    explicit RowHome(const Files &files) : dir(ScratchUser::Root() + QStringLiteral("/row-XXXXXX"))
    {
        for (const auto &[path, content] : files)
            Make(path, content);
    }
    QString Path(const QString &relative = {}) const
    {
        return relative.isEmpty() ? dir.path() : dir.path() + u'/' + relative;
    }
    QByteArray Read(const QString &relative) const { return ReadFileBytes(Path(relative)); }

private:
    void Make(const QString &path, QByteArray content)
    {
        content.replace("%HOME%", QFile::encodeName(dir.path()));
        const QString full = Path(path);
        if (path.endsWith(u'/')) {
            QVERIFY(QDir().mkpath(full));
        } else if (content.startsWith("->")) {
            QVERIFY(QDir().mkpath(QFileInfo(full).absolutePath()));
            QVERIFY(QFile::link(Path(QString::fromUtf8(content.mid(2))), full));
        } else {
            QVERIFY(WriteFileBytes(full, content));
        }
    }

    QTemporaryDir dir;
};
