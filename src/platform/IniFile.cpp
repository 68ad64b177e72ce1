#include "platform/IniFile.h"

#include "platform/AppError.h"
#include "platform/NativePath.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString folded(const QString &name)
{
    return name.trimmed().toCaseFolded();
}

bool isBlank(const QByteArray &raw)
{
    for (char c : raw) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

QString unquoted(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// A value never carries a line break into the file: it would split the line
// and turn the rest of the value into a stray key.
QString singleLine(const QString &value)
{
    QString out = value;
    for (QChar &c : out) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

// Reads trim a value and drop one pair of enclosing quotes; a value those
// would change is written inside quotes, so it reads back as it was.
QByteArray storedValue(const QString &value)
{
    const bool padded = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool quoted = value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
                        && value.back() == value.front();
    const QByteArray bytes = value.toUtf8();
    return padded || quoted ? '"' + bytes + '"' : bytes;
}

} // namespace

void IniFile::Section::reindex()
{
    keyIndex.clear();
    for (int i = 0; i < int(lines.size()); ++i) {
        if (lines[i].isKey) {
            const QString k = folded(lines[i].key);
            if (!keyIndex.contains(k))
                keyIndex.insert(k, i);
        }
    }
}

IniFile::IniFile(const QString &path) : m_path(nativePath(path)) {}

IniFile::~IniFile() = default;

void IniFile::load() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_sections.clear();
    m_sections.push_back(Section{});  // lines before the first header

    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly)) {
        m_unreadable = true;
        return;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_unreadable = true;
        return;
    }
    if (data.startsWith("\xEF\xBB\xBF")) {
        m_hasBom = true;
        data.remove(0, 3);
    }
    const qsizetype firstLf = data.indexOf('\n');
    if (firstLf >= 0)
        m_lineEnd = (firstLf > 0 && data[firstLf - 1] == '\r') ? QByteArray("\r\n") : QByteArray("\n");

    qsizetype pos = 0;
    const qsizetype size = data.size();
    while (pos < size) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = size;
        qsizetype stop = end;
        if (stop > pos && data[stop - 1] == '\r')
            --stop;
        QByteArray raw = data.mid(pos, stop - pos);
        pos = end + 1;

        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.startsWith(u'[')) {
            Section section;
            section.headerRaw = raw;
            const qsizetype close = text.lastIndexOf(u']');
            if (close > 0) {
                section.name = text.mid(1, close - 1).trimmed();
                section.addressable = true;
            }
            // A header without its closing bracket still opens a section, so
            // the keys under it are never taken for keys of the section above.
            m_sections.push_back(std::move(section));
            continue;
        }
        Line line;
        line.raw = std::move(raw);
        if (!text.isEmpty() && !text.startsWith(u';')) {
            const qsizetype eq = text.indexOf(u'=');
            if (eq >= 0) {
                line.isKey = true;
                line.key = text.left(eq).trimmed();
                line.value = text.mid(eq + 1).trimmed();
            }
        }
        m_sections.back().lines.push_back(std::move(line));
    }
    for (Section &s : m_sections)
        s.reindex();
    reindexSections();
}

void IniFile::reindexSections() const
{
    m_sectionIndex.clear();
    for (int i = 0; i < int(m_sections.size()); ++i) {
        if (!m_sections[i].addressable)
            continue;
        const QString k = folded(m_sections[i].name);
        if (!m_sectionIndex.contains(k))
            m_sectionIndex.insert(k, i);
    }
}

IniFile::Section *IniFile::findSection(const QString &name) const
{
    load();
    const auto it = m_sectionIndex.constFind(folded(name));
    if (it == m_sectionIndex.constEnd())
        return nullptr;
    return &m_sections[*it];
}

const IniFile::Line *IniFile::findLine(const QString &section, const QString &key) const
{
    const Section *s = findSection(section);
    if (!s)
        return nullptr;
    const auto it = s->keyIndex.constFind(folded(key));
    if (it == s->keyIndex.constEnd())
        return nullptr;
    return &s->lines[*it];
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    const Line *line = findLine(section, key);
    if (!line)
        return defaultValue.left(MaxReadLength);
    QString value = unquoted(line->value);
    if (value.size() > MaxReadLength) {
        int cut = MaxReadLength;
        if (value.at(cut - 1).isHighSurrogate())
            --cut;
        value.truncate(cut);
    }
    return value;
}

bool IniFile::parseInteger(const QString &input, int *value)
{
    const QString text = input.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (text.mid(i, 2).compare(QStringLiteral("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    } else if (i < text.size() && text[i] == u'$') {
        base = 16;
        i += 1;
    }
    if (i >= text.size())
        return false;
    quint64 acc = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return false;
        acc = acc * base + digit;
        if (acc > 0xFFFFFFFFull)
            return false;
    }
    qint64 result;
    if (base == 16) {
        // Hexadecimal covers the full 32 bits, as colour codes need ("$80000005").
        result = qint64(qint32(quint32(acc)));
    } else {
        result = qint64(acc);
        if (result > qint64(INT32_MAX) + (negative ? 1 : 0))
            return false;
    }
    if (negative)
        result = -result;
    if (result < INT32_MIN || result > INT32_MAX)
        return false;
    *value = int(result);
    return true;
}

int IniFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const Line *line = findLine(section, key);
    if (!line)
        return defaultValue;
    int value = 0;
    return parseInteger(unquoted(line->value), &value) ? value : defaultValue;
}

bool IniFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

IniFile::Section &IniFile::sectionForWrite(const QString &name)
{
    if (Section *s = findSection(name))
        return *s;
    // A new section is set off from the one above by a blank line.
    Section &last = m_sections.back();
    const bool endsWithContent = !last.lines.empty() ? !isBlank(last.lines.back().raw) : !last.headerRaw.isNull();
    if (endsWithContent)
        last.lines.push_back(Line{});
    Section section;
    section.name = name.trimmed();
    section.addressable = true;
    section.headerRaw = '[' + section.name.toUtf8() + ']';
    m_sections.push_back(std::move(section));
    m_sectionIndex.insert(folded(name), int(m_sections.size()) - 1);
    return m_sections.back();
}

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    load();
    const QString clean = singleLine(value);
    Section &s = sectionForWrite(section);
    const auto it = s.keyIndex.constFind(folded(key));
    if (it != s.keyIndex.constEnd()) {
        Line &line = s.lines[*it];
        line.raw = line.key.toUtf8() + '=' + storedValue(clean);
        line.value = QString::fromUtf8(line.raw.mid(line.raw.indexOf('=') + 1)).trimmed();
    } else {
        Line line;
        line.isKey = true;
        line.key = key.trimmed();
        line.raw = line.key.toUtf8() + '=' + storedValue(clean);
        line.value = QString::fromUtf8(line.raw.mid(line.raw.indexOf('=') + 1)).trimmed();
        // New keys go after the section's last non-blank line.
        qsizetype at = qsizetype(s.lines.size());
        while (at > 0 && isBlank(s.lines[at - 1].raw) && !s.lines[at - 1].isKey)
            --at;
        // Only blank lines follow the insertion point, so no indexed key moves.
        s.keyIndex.insert(folded(line.key), int(at));
        s.lines.insert(s.lines.begin() + at, std::move(line));
    }
    m_dirty = true;
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::sectionExists(const QString &section) const
{
    return findSection(section) != nullptr;
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return findLine(section, key) != nullptr;
}

QStringList IniFile::sectionNames() const
{
    load();
    QStringList names;
    for (const Section &s : m_sections) {
        if (s.addressable)
            names << s.name;
    }
    return names;
}

QStringList IniFile::keyNames(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(section)) {
        for (const Line &line : s->lines) {
            if (line.isKey)
                names << line.key;
        }
    }
    return names;
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    Section *s = findSection(section);
    if (!s)
        return;
    const auto it = s->keyIndex.constFind(folded(key));
    if (it == s->keyIndex.constEnd())
        return;
    s->lines.erase(s->lines.begin() + *it);
    s->reindex();
    m_dirty = true;
}

void IniFile::eraseSection(const QString &section)
{
    load();
    const auto it = m_sectionIndex.constFind(folded(section));
    if (it == m_sectionIndex.constEnd())
        return;
    m_sections.erase(m_sections.begin() + *it);
    reindexSections();
    m_dirty = true;
}

QByteArray IniFile::serialize() const
{
    QByteArray out;
    if (m_hasBom)
        out += "\xEF\xBB\xBF";
    for (const Section &s : m_sections) {
        if (!s.headerRaw.isNull() || s.addressable)
            out += s.headerRaw + m_lineEnd;
        for (const Line &line : s.lines)
            out += line.raw + m_lineEnd;
    }
    return out;
}

void IniFile::flush()
{
    if (!m_dirty)
        return;
    const auto refuse = [this] { throw AppError(QStringLiteral("Unable to write to %1").arg(m_path)); };
    // A file we could not read is never replaced by what little we know of it.
    if (m_unreadable)
        refuse();
    QSaveFile file(m_path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        refuse();
    const QByteArray data = serialize();
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        refuse();
    }
    if (!file.commit())
        refuse();
    m_dirty = false;
}
