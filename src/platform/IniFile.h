#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// An INI text file with the behaviour of the classic private-profile
// functions: section and key names compare without regard to case, absent
// keys read as the caller's default, the first of duplicate sections or keys
// is the one read and written, string reads are cut at 2047 characters and
// integers accept decimal, "0x"/"0X" and "$" hexadecimal.
//
// Nothing touches the disk until the first read or write. Writes stay in
// memory until flush(), which replaces the file atomically (temporary file,
// sync, rename) and raises AppError "Unable to write to <path>" when the
// system refuses. Lines the program did not change are written back byte for
// byte, so a damaged file loses nothing it still had.
class IniFile
{
public:
    static constexpr int MaxReadLength = 2047;

    explicit IniFile(const QString &path);
    ~IniFile();

    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString path() const { return m_path; }

    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    bool readBool(const QString &section, const QString &key, bool defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList sectionNames() const;
    QStringList keyNames(const QString &section) const;
    void deleteKey(const QString &section, const QString &key);
    void eraseSection(const QString &section);

    // Writes pending changes; does nothing when there are none.
    void flush();
    bool hasPendingChanges() const { return m_dirty; }

    // Integer text as the profile readers accept it; false for anything else.
    static bool parseInteger(const QString &text, int *value);

private:
    struct Line {
        QByteArray raw;  // the line as stored, without its line end
        QString key;     // for key lines: the key as written
        QString value;   // for key lines: the raw value text, trimmed
        bool isKey = false;
    };
    struct Section {
        QString name;           // empty and unaddressable for the lines before any header
        bool addressable = false;
        QByteArray headerRaw;
        std::vector<Line> lines;
        QHash<QString, int> keyIndex;  // folded key -> first line holding it
        void reindex();
    };

    void load() const;
    Section *findSection(const QString &name) const;
    const Line *findLine(const QString &section, const QString &key) const;
    Section &sectionForWrite(const QString &name);
    QByteArray serialize() const;
    void reindexSections() const;

    QString m_path;  // native path
    mutable bool m_loaded = false;
    mutable bool m_unreadable = false;
    mutable bool m_hasBom = false;
    mutable QByteArray m_lineEnd = "\r\n";
    mutable std::vector<Section> m_sections;
    mutable QHash<QString, int> m_sectionIndex;  // folded name -> first section
    bool m_dirty = false;
};
