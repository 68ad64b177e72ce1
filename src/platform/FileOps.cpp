#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileOps {

QStringList plainFiles(const QString &folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return {};
    return dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
}

bool copyFile(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0) {
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
        if (out.write(buffer, n) != n) {
            out.cancelWriting();
            return false;
        }
    }
    return out.commit();
}

bool removeEmptyFolder(const QString &folder)
{
    return QDir().rmdir(folder);
}

bool makePath(const QString &folder)
{
    return QDir().mkpath(folder);
}

bool fileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool folderExists(const QString &path)
{
    return QFileInfo(path).isDir();
}

} // namespace FileOps
