#include "ImageManifest.h"

#include <QFile>
#include <QRegularExpression>

namespace {

bool parseSize(const QString &text, QSize *size)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,4})x(\\d{1,4})$"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return false;
    *size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
    return size->width() > 0 && size->height() > 0;
}

bool isColour(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    return re.match(text).hasMatch();
}

// Outputs stay inside the Images folder whatever the manifest says.
bool isSafeOutput(const QString &path)
{
    return !path.isEmpty() && !path.startsWith(u'/') && !path.contains(u'\\')
        && !path.split(u'/').contains(QStringLiteral(".."));
}

} // namespace

const QList<int> &ImageManifest::iconSizes()
{
    static const QList<int> sizes{24, 32, 48};
    return sizes;
}

QString ImageManifest::iconFolder(int size)
{
    return QStringLiteral("Icons/Basic/%1x%1").arg(size);
}

QList<QPair<QString, QString>> ImageManifest::palette(const QString &name) const
{
    return m_palettes.value(name);
}

bool ImageManifest::load(const QString &path, QString *error)
{
    m_entries.clear();
    m_palettes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("%1: cannot open: %2").arg(path, file.errorString());
        return false;
    }
    int lineNo = 0;
    while (!file.atEnd()) {
        ++lineNo;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList f = line.split(QRegularExpression(QStringLiteral("\\s+")));
        auto fail = [&](const QString &why) {
            *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(why);
            return false;
        };
        const QString &word = f[0];
        if (word == u"palette") {
            if (f.size() < 3)
                return fail(QStringLiteral("palette needs a name and colour pairs"));
            QList<QPair<QString, QString>> pairs;
            for (qsizetype i = 2; i < f.size(); ++i) {
                const QStringList pair = f[i].split(u'=');
                if (pair.size() != 2 || !isColour(pair[0]) || !isColour(pair[1]))
                    return fail(QStringLiteral("bad colour pair '%1'").arg(f[i]));
                pairs.append({pair[0], pair[1]});
            }
            m_palettes.insert(f[1], pairs);
            continue;
        }
        ImageEntry e;
        e.line = lineNo;
        if (word == u"icon")
            e.kind = ImageEntry::Kind::Icon;
        else if (word == u"glyph")
            e.kind = ImageEntry::Kind::Glyph;
        else if (word == u"picture")
            e.kind = ImageEntry::Kind::Picture;
        else if (word == u"mask")
            e.kind = ImageEntry::Kind::Mask;
        else
            return fail(QStringLiteral("unknown kind '%1'").arg(word));

        const bool sized = e.kind != ImageEntry::Kind::Icon;
        const qsizetype needed = sized ? 4 : 3;
        const qsizetype allowed = e.kind == ImageEntry::Kind::Glyph ? 5 : needed;
        if (f.size() < needed || f.size() > allowed)
            return fail(QStringLiteral("wrong number of fields"));
        e.source = f[1];
        e.output = f[2];
        if (!isSafeOutput(e.output) || (!sized && e.output.contains(u'/')))
            return fail(QStringLiteral("bad output path '%1'").arg(e.output));
        if (sized && !parseSize(f[3], &e.size))
            return fail(QStringLiteral("bad size '%1'").arg(f[3]));
        if (f.size() == 5)
            e.palette = f[4];

        const QString suffix = e.output.section(u'.', -1).toLower();
        const bool suffixOk = e.kind == ImageEntry::Kind::Icon ? suffix == u"png"
            : e.kind == ImageEntry::Kind::Picture ? (suffix == u"png" || suffix == u"jpg")
                                                  : suffix == u"bmp";
        if (!suffixOk)
            return fail(QStringLiteral("'%1' has the wrong file type for its kind").arg(e.output));
        m_entries.append(e);
    }
    for (const ImageEntry &e : m_entries) {
        if (!e.palette.isEmpty() && !m_palettes.contains(e.palette)) {
            *error = QStringLiteral("%1:%2: unknown palette '%3'").arg(path).arg(e.line).arg(e.palette);
            return false;
        }
    }
    return true;
}
