// Every language file shipped beside the program must hold every text the
// program reads. A missing key is never reported at run time: it just shows
// as an empty caption, hint or message, so a translation that misses one
// has to be caught here.

#include "platform/IniFile.h"
#include "settings/LanguageKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QtTest>

namespace {

QString languagesFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Languages");
}

// What is wrong with one key's value, or an empty text when nothing is.
QString problemWith(const LanguageKey &entry, const QString &value)
{
    const QString key = QString::fromLatin1(entry.key);
    if (value.isEmpty())
        return QStringLiteral("missing or empty");
    // Text that was not UTF-8 decodes to replacement characters.
    if (value.contains(QChar::ReplacementCharacter))
        return QStringLiteral("not UTF-8: ") + value;
    if (qstrcmp(entry.section, "System") == 0) {
        const QString prefix = key + u'=';
        if (!value.startsWith(prefix))
            return QStringLiteral("does not begin with \"%1\": %2").arg(prefix, value);
        if (value.size() == prefix.size())
            return QStringLiteral("has no text after \"%1\"").arg(prefix);
    }
    return {};
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void defaultLanguageIsShipped();
    void everyKeyIsTranslated_data();
    void everyKeyIsTranslated();
};

// The program falls back to English when no language is chosen; without it
// every text is empty. It also keeps the check below from passing on an
// empty folder.
void TestLanguages::defaultLanguageIsShipped()
{
    const QString path = languagesFolder() + QStringLiteral("/English.lng");
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path + QStringLiteral(" is missing")));
}

void TestLanguages::everyKeyIsTranslated_data()
{
    QTest::addColumn<QString>("path");
    const QDir folder(languagesFolder());
    const QStringList files = folder.entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << folder.filePath(name);
}

void TestLanguages::everyKeyIsTranslated()
{
    QFETCH(QString, path);
    const IniFile file(path);
    QStringList problems;
    for (const LanguageKey &entry : programLanguageKeys()) {
        const QString value = file.readString(QString::fromLatin1(entry.section),
                                              QString::fromLatin1(entry.key), QString());
        const QString problem = problemWith(entry, value);
        if (!problem.isEmpty())
            problems << QStringLiteral("[%1] %2: %3").arg(QLatin1String(entry.section),
                                                          QLatin1String(entry.key), problem);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestLanguages)
#include "tst_languages.moc"
