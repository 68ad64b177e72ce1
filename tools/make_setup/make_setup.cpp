// Writes the skeleton of a new data folder: the templates tree with its empty
// tables, the placeholder and help book folders, and a first library with one
// collection holding one empty book.
//   make_setup <folder with Tune.ini and LibTune.ini> <output Setup folder>

#include "platform/db/BookSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool fail(const QString &what)
{
    std::fprintf(stderr, "make_setup: %s\n", qPrintable(what));
    return false;
}

bool makeFolder(const QString &path)
{
    return QDir().mkpath(path) || fail(QStringLiteral("cannot create ") + path);
}

bool copy(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to) || fail(QStringLiteral("cannot copy ") + from);
}

bool recordTable(const QString &path)
{
    QString error;
    return BookSchema::createRecordTable(path, &error) || fail(error);
}

bool dateTable(const QString &path)
{
    QString error;
    return BookSchema::createDateTable(path, &error) || fail(error);
}

// A book folder as every book has it: the record table and two subfolders.
bool bookFolder(const QString &path)
{
    return makeFolder(path + "/Date") && makeFolder(path + "/BackUp") && recordTable(path + "/bf.db");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_setup <source folder> <Setup folder>\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString setup = QString::fromLocal8Bit(argv[2]);
    const QString templates = setup + "/Libraries/Templates";
    const QString library = setup + "/Libraries/Library1";

    const bool ok = makeFolder(templates + "/Date") && recordTable(templates + "/bf.db")
                    && dateTable(templates + "/Date/d.db") && bookFolder(templates + "/Book0")
                    && makeFolder(templates + "/Sample") && makeFolder(library)
                    && copy(source + "/Tune.ini", setup + "/Tune.ini")
                    && copy(source + "/LibTune.ini", library + "/LibTune.ini")
                    && bookFolder(library + "/Collection1/Book1");
    return ok ? 0 : 1;
}
