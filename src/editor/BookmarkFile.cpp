#include "editor/BookmarkFile.h"

#include "settings/Profile.h"

namespace {
const QString kCount = QStringLiteral("BookmarksCount");

QString positionKey(int index)
{
    return numbered(QStringLiteral("XY"), index);
}

QString sectionOf(qint64 recordKey)
{
    return QString::number(recordKey);
}
} // namespace

BookmarkFile::BookmarkFile(const QString &bookFolder) : m_path(bookFolder + QStringLiteral("Bookmarks.ini")) {}

std::optional<QList<int>> BookmarkFile::positions(qint64 recordKey) const
{
    const Profile file(m_path);
    const QString section = sectionOf(recordKey);
    if (!file.sectionExists(section))
        return std::nullopt;
    // A damaged count must not build millions of tabs.
    const int count = qBound(0, file.readInteger(section, kCount, 0), 10000);
    QList<int> out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << file.readInteger(section, positionKey(i), MissingPosition);
    return out;
}

int BookmarkFile::position(qint64 recordKey, int index) const
{
    return Profile(m_path).readInteger(sectionOf(recordKey), positionKey(index), MissingPosition);
}

int BookmarkFile::add(qint64 recordKey, int position)
{
    Profile file(m_path);
    const QString section = sectionOf(recordKey);
    const int count = qMax(0, file.readInteger(section, kCount, 0));
    file.writeInteger(section, positionKey(count), position);
    file.writeInteger(section, kCount, count + 1);
    file.flush();
    return count;
}

int BookmarkFile::removeAt(qint64 recordKey, int index)
{
    Profile file(m_path);
    const QString section = sectionOf(recordKey);
    if (!file.sectionExists(section))
        return 0;
    const int count = qBound(0, file.readInteger(section, kCount, 0), 10000);
    QList<int> kept;
    for (int i = 0; i < count; ++i) {
        if (i != index)
            kept << file.readInteger(section, positionKey(i), MissingPosition);
    }
    file.eraseSection(section);
    if (!kept.isEmpty()) {
        file.writeInteger(section, kCount, int(kept.size()));
        for (int i = 0; i < kept.size(); ++i)
            file.writeInteger(section, positionKey(i), kept[i]);
    }
    file.flush();
    return int(kept.size());
}

bool BookmarkFile::removeAll(qint64 recordKey)
{
    Profile file(m_path);
    const QString section = sectionOf(recordKey);
    if (!file.sectionExists(section))
        return false;
    file.eraseSection(section);
    file.flush();
    return true;
}
