#pragma once

#include <QList>
#include <QString>
#include <optional>

// "Bookmarks.ini" of a book folder: one section per record (named by its
// Inc), holding "BookmarksCount" and the character positions "XY0" … of
// the bookmarked lines. Every call opens the file, and writes flush it
// before returning; a refused write raises AppError and changes nothing.
class BookmarkFile
{
public:
    static constexpr int MissingPosition = -10;

    explicit BookmarkFile(const QString &bookFolder);

    QString path() const { return m_path; }

    // The record's positions in bookmark order; nothing when the record has
    // no section. A count says how many there are, whatever keys exist.
    std::optional<QList<int>> positions(qint64 recordKey) const;
    int position(qint64 recordKey, int index) const;

    // Appends a bookmark; returns its index.
    int add(qint64 recordKey, int position);
    // Removes bookmark `index` and renumbers the later ones; the section
    // goes when no bookmark is left. Returns the number left.
    int removeAt(qint64 recordKey, int index);
    // False when the record had no section.
    bool removeAll(qint64 recordKey);

private:
    QString m_path;
};
