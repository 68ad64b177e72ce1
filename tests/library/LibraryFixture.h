#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A fresh data folder for one test: XDG folders and DataFolder point into a
// temporary folder, with a settings file naming "\Libraries\Library1\" as the
// current library. Files are written from literal text so each test shows the
// catalogue it runs on.
class LibraryFixture
{
public:
    LibraryFixture();
    ~LibraryFixture();

    static QString libraryPath() { return QStringLiteral("\\Libraries\\Library1\\"); }

    // The temporary folder holding the data folder and its neighbours.
    QString root() const;
    // Native path of a stored path relative to the data folder.
    QString native(const QString &stored) const;
    QString cataloguePath() const;

    void writeSettings(const QString &text) const;
    void writeCatalogue(const QString &text) const;
    QString readCatalogue() const;

    // Writes a file (native or relative-to-data "\..." path) with content,
    // creating its folder.
    void writeFile(const QString &stored, const QByteArray &content = "x") const;
    void makeFolder(const QString &stored) const;
    bool exists(const QString &stored) const;
    // Names of everything lying directly in the folder, sorted.
    QStringList entries(const QString &stored) const;

    // The deferred-deletion list as the settings file holds it.
    QStringList queued() const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};
