#include "LibraryFixture.h"

#include "app/Folders.h"
#include "platform/NativePath.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {
void writeText(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(content);
}
} // namespace

LibraryFixture::LibraryFixture() : m_dir(std::make_unique<QTemporaryDir>())
{
    const QString base = m_dir->path();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + "/config"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(base + "/data"));
    // Stored form, as start-up forms it: a native folder + "\Quillery".
    DataFolder = base + QStringLiteral("/data\\Quillery");
    BookFolder.clear();
    QDir().mkpath(native(libraryPath()));
    writeSettings(QStringLiteral("[Libraries]\nCurLibNum=1\nLibraryPath0=\\Libraries\\Templates\\Sample\\\n"
                                 "LibraryPath1=\\Libraries\\Library1\\\n"));
}

LibraryFixture::~LibraryFixture()
{
    // Read-only files must not keep the temporary folder from going.
    QDirIterator it(m_dir->path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::setPermissions(it.next(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString LibraryFixture::root() const
{
    return m_dir->path();
}

QString LibraryFixture::native(const QString &stored) const
{
    return nativePath(DataFolder + stored);
}

QString LibraryFixture::cataloguePath() const
{
    return DataFolder + libraryPath() + QStringLiteral("LibTune.ini");
}

void LibraryFixture::writeSettings(const QString &text) const
{
    writeText(nativePath(Settings::path()), text.toUtf8());
}

void LibraryFixture::writeCatalogue(const QString &text) const
{
    writeText(nativePath(cataloguePath()), text.toUtf8());
}

QString LibraryFixture::readCatalogue() const
{
    QFile file(nativePath(cataloguePath()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void LibraryFixture::writeFile(const QString &stored, const QByteArray &content) const
{
    writeText(stored.startsWith(u'\\') ? native(stored) : stored, content);
}

void LibraryFixture::makeFolder(const QString &stored) const
{
    QDir().mkpath(stored.startsWith(u'\\') ? native(stored) : stored);
}

bool LibraryFixture::exists(const QString &stored) const
{
    return QFileInfo::exists(stored.startsWith(u'\\') ? native(stored) : stored);
}

QStringList LibraryFixture::entries(const QString &stored) const
{
    QDir dir(stored.startsWith(u'\\') ? native(stored) : stored);
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
}

QStringList LibraryFixture::queued() const
{
    const Profile settings(Settings::path());
    return settings.readList(QStringLiteral("DelDirOnStart"), QStringLiteral("Dir"));
}
