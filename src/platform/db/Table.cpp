#include "platform/db/Table.h"

#include "platform/AppError.h"
#include "platform/NativePath.h"
#include "platform/db/CaptionCollation.h"
#include "platform/db/SchemaCheck.h"
#include "platform/db/SqliteConnection.h"
#include "platform/db/SqliteStatement.h"
#include "platform/rtf/RtfReader.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QTime>
#include <algorithm>
#include <sqlite3.h>

const QString Table::CaptionOrder = QStringLiteral("CAPTION_FIELD");
const QString Table::DateOrder = QStringLiteral("DATE_FIELD");

namespace {

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + QString(identifier).replace(u'"', QLatin1String("\"\"")) + QLatin1Char('"');
}

// A default as PRAGMA table_info reports it: SQL literal text.
QVariant parseDefault(const QVariant &sql)
{
    if (!sql.isValid())
        return QVariant();
    const QString text = sql.toString().trimmed();
    if (text.size() >= 2 && text.startsWith(u'\'') && text.endsWith(u'\''))
        return text.mid(1, text.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    bool isNumber = false;
    const qint64 number = text.toLongLong(&isNumber);
    if (isNumber)
        return number;
    return QVariant();
}

int codePointCount(const QString &text)
{
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!(text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate()))
            ++n;
    }
    return n;
}

// A lone surrogate cannot be stored as UTF-8; it would come back as
// something else and the caption order in memory would no longer match the
// file. It becomes U+FFFD before it is kept anywhere.
QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return text;
}

QString storedText(const QVariant &value)
{
    return value.isValid() ? value.toString() : QString();
}

} // namespace

Table::Table(QObject *parent) : QObject(parent) {}

Table::~Table()
{
    resetToClosed();
}

// ---------------------------------------------------------------- opening

void Table::open(const QString &folder, const QString &tableName, const QString &orderName)
{
    if (isActive())
        throw AppError(QStringLiteral("The table %1 is open; close it before opening another").arg(m_path));
    const QString folderPath = nativePath(folder);
    const QString path = nativePath(folder + QLatin1Char('/') + tableName);
    const auto fail = [&](const QString &why) {
        resetToClosed();
        return AppError(QStringLiteral("Cannot open the table %1: %2").arg(path, why));
    };

    const QFileInfo folderInfo(folderPath);
    if (!folderInfo.isDir())
        throw fail(QStringLiteral("the folder does not exist"));
    const QFileInfo file(path);
    if (!file.exists())
        throw fail(QStringLiteral("the file does not exist"));
    if (!file.isFile())
        throw fail(QStringLiteral("it is not a file"));
    // A book whose file is marked read-only would open, show and then refuse
    // every save; it is refused here instead, even for a user the system
    // would let write anyway. The folder must take the journal of each post.
    if (!(file.permissions() & QFileDevice::WriteOwner) || !file.isWritable())
        throw fail(QStringLiteral("the file is read-only"));
    if (!folderInfo.isWritable())
        throw fail(QStringLiteral("the folder is read-only"));

    try {
        m_db = std::make_unique<SqliteConnection>();
        m_db->openExisting(path);
        if (sqlite3_db_readonly(m_db->handle(), "main") == 1)
            throw AppError(QStringLiteral("the file is read-only"));
        sqlite3_busy_timeout(m_db->handle(), 2000);
        // Everything up to here only reads, so a file refused by the check
        // is left exactly as it was.
        m_kind = SchemaCheck::verify(*m_db);
        m_sqlTable = QString::fromLatin1(BookSchema::tableName(m_kind));
        readFields();
        const RecordOrder::Kind kind = orderKind(orderName);
        // A closed table must be one file, so a copied book folder is the
        // whole book: rollback journal, deleted after each transaction.
        SqliteStatement mode(m_db->handle(), QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (!mode.step() || mode.textValue(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
            throw AppError(QStringLiteral("the journal mode cannot be set"));
        m_db->exec("PRAGMA synchronous=FULL");
        prepareStatements();
        loadOrder(kind);
        m_orderName = orderName;
        m_path = path;
        m_current = m_order.size() > 0 ? 0 : -1;
        m_buffer = m_current >= 0 ? readRecord(m_order.at(0).key) : emptyRecord();
    } catch (const AppError &error) {
        throw fail(error.message());
    }
    m_currentKey = m_current >= 0 ? m_order.at(0).key : 0;
    m_original = m_buffer;
    m_modified = false;
    m_state = State::Browse;
    setEdges(true, m_order.size() == 0);
    emit stateChanged(m_state);
    emit rowsChanged();
    emit dataChanged(QString());
}

void Table::close()
{
    if (!isActive())
        return;
    if (m_batch)
        endBatch();
    resetToClosed();
    emit stateChanged(m_state);
    emit rowsChanged();
}

void Table::resetToClosed()
{
    m_batch = false;
    m_batchLost = false;
    m_selectField.clear();
    m_selectRecord.reset();
    m_insertRecord.reset();
    m_updateRecord.reset();
    m_deleteRecord.reset();
    m_db.reset();
    m_path.clear();
    m_fields.clear();
    m_keyField = m_captionField = m_dateField = m_timeField = m_descriptionField = m_plainTextField = -1;
    m_orderName.clear();
    m_order.clear();
    m_state = State::Inactive;
    m_current = m_insertRow = -1;
    m_currentKey = 0;
    m_buffer.clear();
    m_original.clear();
    m_modified = m_inNewRecord = false;
    m_bof = m_eof = true;
}

void Table::readFields()
{
    SqliteStatement info(m_db->handle(),
                         QStringLiteral("SELECT name, upper(type), \"notnull\", dflt_value, pk FROM pragma_table_info(?1)"));
    info.bind(1, m_sqlTable);
    while (info.step()) {
        Field field;
        field.name = info.textValue(0);
        field.type = info.textValue(1);
        field.notNull = info.intValue(2) != 0;
        field.defaultValue = parseDefault(info.value(3));
        field.readOnly = info.intValue(4) != 0;
        m_fields.push_back(field);
    }
    m_keyField = fieldIndex(QStringLiteral("Inc"));
    m_captionField = fieldIndex(QStringLiteral("Caption"));
    m_dateField = fieldIndex(QStringLiteral("Date"));
    m_timeField = fieldIndex(QStringLiteral("Time"));
    m_descriptionField = fieldIndex(QStringLiteral("Description"));
    m_plainTextField = fieldIndex(QStringLiteral("PlainText"));
    if (m_plainTextField >= 0)
        m_fields[size_t(m_plainTextField)].readOnly = true;
}

void Table::prepareStatements()
{
    QStringList all;
    QStringList written;
    QStringList placeholders;
    QStringList assignments;
    for (const Field &field : m_fields) {
        all << quoted(field.name);
        if (&field - m_fields.data() == m_keyField)
            continue;
        written << quoted(field.name);
        placeholders << QStringLiteral("?%1").arg(written.size());
        assignments << QStringLiteral("%1=?%2").arg(quoted(field.name)).arg(written.size());
    }
    const QString table = quoted(m_sqlTable);
    sqlite3 *db = m_db->handle();
    m_selectRecord = std::make_unique<SqliteStatement>(
        db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1").arg(all.join(u','), table));
    m_insertRecord = std::make_unique<SqliteStatement>(
        db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, written.join(u','), placeholders.join(u',')));
    m_updateRecord = std::make_unique<SqliteStatement>(
        db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?%3").arg(table, assignments.join(u',')).arg(written.size() + 1));
    m_deleteRecord = std::make_unique<SqliteStatement>(db, QStringLiteral("DELETE FROM %1 WHERE rowid=?1").arg(table));
    m_selectField.resize(m_fields.size());
}

// ---------------------------------------------------------------- orders

RecordOrder::Kind Table::orderKind(const QString &orderName) const
{
    if (orderName.isEmpty())
        return RecordOrder::Kind::ByKey;
    if (m_kind == BookSchema::TableKind::Records) {
        if (orderName == CaptionOrder)
            return RecordOrder::Kind::ByCaption;
        if (orderName == DateOrder)
            return RecordOrder::Kind::ByDate;
    }
    throw AppError(QStringLiteral("the table has no order named \"%1\"").arg(orderName));
}

// Inc and Caption of every record from the covering index CAPTION_FIELD:
// small and fast to read, and already in caption order wherever captions
// are ASCII, so the sort after it usually only checks.
std::vector<OrderRow> Table::loadCaptionKeys(bool *inCaptionOrder)
{
    std::vector<OrderRow> rows;
    if (m_captionField < 0) {
        SqliteStatement scan(m_db->handle(), QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoted(m_sqlTable)));
        while (scan.step()) {
            OrderRow row;
            row.key = scan.intValue(0);
            rows.push_back(std::move(row));
        }
        *inCaptionOrder = false;
        return rows;
    }
    // The highest Inc ever given out is known at once and is about the
    // number of records; reserving it saves copying every row as they come.
    SqliteStatement highest(m_db->handle(), QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name='Records'"));
    if (highest.step())
        rows.reserve(size_t(std::clamp<qint64>(highest.intValue(0), 0, 1 << 24)));
    SqliteStatement scan(m_db->handle(),
                         QStringLiteral("SELECT Inc, Caption FROM Records ORDER BY Caption COLLATE NOCASE, Inc"));
    while (scan.step()) {
        OrderRow row;
        row.key = scan.intValue(0);
        row.caption = scan.textValue(1);
        row.fold = CaptionCollation::foldBeyondAscii(row.caption);
        rows.push_back(std::move(row));
    }
    *inCaptionOrder = true;
    return rows;
}

// Puts the rows into the order in which an index scan returns their keys
// (rows it does not return keep their order at the end). With withDates,
// the scan also returns each record's Date and Time, which are kept; they
// are written as the scan goes, which is harmless should it fail, because
// only the date order reads them. The rows move once the scan is done.
void Table::reorderByScan(std::vector<OrderRow> &rows, const QString &sql, bool withDates)
{
    // Inc values are nearly dense, so a table indexed by key finds a row at
    // once; a book with huge gaps between keys falls back to binary search.
    qint64 maxKey = 0;
    for (const OrderRow &row : rows)
        maxKey = std::max(maxKey, row.key);
    const bool dense = maxKey <= qint64(rows.size()) * 4 + 1024;
    constexpr quint32 NoRow = 0xFFFFFFFFu;
    std::vector<quint32> slot;
    std::vector<std::pair<qint64, quint32>> byKey;
    if (dense) {
        slot.assign(size_t(maxKey) + 1, NoRow);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].key >= 0)
                slot[size_t(rows[i].key)] = quint32(i);
        }
    } else {
        byKey.reserve(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            byKey.emplace_back(rows[i].key, quint32(i));
        std::sort(byKey.begin(), byKey.end());
    }
    const auto rowOf = [&](qint64 key) -> quint32 {
        if (dense)
            return key >= 0 && key <= maxKey ? slot[size_t(key)] : NoRow;
        const auto at = std::lower_bound(byKey.begin(), byKey.end(), std::make_pair(key, quint32(0)));
        return at != byKey.end() && at->first == key ? at->second : NoRow;
    };
    std::vector<quint32> sequence;
    sequence.reserve(rows.size());
    SqliteStatement scan(m_db->handle(), sql);
    while (scan.step()) {
        const quint32 row = rowOf(scan.intValue(0));
        if (row == NoRow)
            continue;
        sequence.push_back(row);
        if (withDates) {
            rows[row].date = scan.textValue(1);
            rows[row].time = scan.textValue(2);
        }
    }
    std::vector<bool> placed(rows.size());
    std::vector<OrderRow> ordered;
    ordered.reserve(rows.size());
    for (size_t i = 0; i < sequence.size(); ++i) {
        if (placed[sequence[i]])
            continue;
        placed[sequence[i]] = true;
        ordered.push_back(std::move(rows[sequence[i]]));
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!placed[i])
            ordered.push_back(std::move(rows[i]));
    }
    rows = std::move(ordered);
}

// Builds the order from the rows of an index scan: the date order comes
// straight from DATE_FIELD, the caption order from CAPTION_FIELD, whose
// NOCASE order only captions beyond ASCII can differ from.
void Table::arrange(std::vector<OrderRow> &rows, RecordOrder::Kind kind, bool inCaptionIndexOrder)
{
    switch (kind) {
    case RecordOrder::Kind::ByDate:
        reorderByScan(rows, QStringLiteral("SELECT Inc, Date, Time FROM Records ORDER BY Date, Time, Inc"), true);
        m_order.assign(kind, std::move(rows));
        break;
    case RecordOrder::Kind::ByCaption:
        if (!inCaptionIndexOrder)
            reorderByScan(rows, QStringLiteral("SELECT Inc FROM Records ORDER BY Caption COLLATE NOCASE, Inc"), false);
        m_order.assignFromAsciiCaseOrder(std::move(rows));
        break;
    case RecordOrder::Kind::ByKey:
        m_order.assign(kind, std::move(rows));
        break;
    }
}

void Table::loadOrder(RecordOrder::Kind kind)
{
    bool inCaptionOrder = false;
    std::vector<OrderRow> rows = loadCaptionKeys(&inCaptionOrder);
    arrange(rows, kind, inCaptionOrder);
}

void Table::setOrder(const QString &orderName)
{
    requireActive();
    const RecordOrder::Kind kind = orderKind(orderName);
    if (orderName == m_orderName)
        return;
    leaveRecord();
    const qint64 key = m_current >= 0 ? m_order.at(m_current).key : 0;
    const RecordOrder::Kind previous = m_order.kind();
    std::vector<OrderRow> rows = m_order.takeRows();
    try {
        arrange(rows, kind, false);
    } catch (...) {
        m_order.assign(previous, std::move(rows));
        throw;
    }
    m_orderName = orderName;
    if (m_current >= 0)
        m_current = m_order.indexOfKey(key);
    setEdges(false, false);
    emit rowsChanged();
    emit dataChanged(QString());
}

// ---------------------------------------------------------------- navigation

int Table::count() const
{
    return m_order.size();
}

int Table::position() const
{
    return currentRow() + 1;
}

void Table::setEdges(bool bof, bool eof)
{
    const bool empty = m_order.size() == 0;
    m_bof = bof || empty;
    m_eof = eof || empty;
}

void Table::moveTo(int index, bool alwaysNotify)
{
    if (index == m_current && !alwaysNotify)
        return;
    const qint64 key = index >= 0 ? m_order.at(index).key : 0;
    m_buffer = index >= 0 ? readRecord(key) : emptyRecord();
    m_original = m_buffer;
    m_current = index;
    m_currentKey = key;
    emit dataChanged(QString());
}

void Table::first()
{
    requireActive();
    leaveRecord();
    moveTo(count() > 0 ? 0 : -1, true);
    setEdges(true, false);
}

void Table::last()
{
    requireActive();
    leaveRecord();
    moveTo(count() - 1, true);
    setEdges(false, true);
}

void Table::next()
{
    requireActive();
    leaveRecord();
    if (m_current < 0 || m_current >= count() - 1) {
        m_eof = true;
        return;
    }
    moveTo(m_current + 1, false);
    setEdges(false, false);
}

void Table::prior()
{
    requireActive();
    leaveRecord();
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    moveTo(m_current - 1, false);
    setEdges(false, false);
}

bool Table::locate(const QString &captionPrefix)
{
    requireActive();
    if (m_captionField < 0 || m_order.findCaptionPrefix(captionPrefix) < 0)
        return false;
    leaveRecord();
    // Leaving may have posted the current record and so moved it.
    const int index = m_order.findCaptionPrefix(captionPrefix);
    if (index < 0)
        return false;
    moveTo(index, true);
    setEdges(false, false);
    return true;
}

void Table::leaveRecord()
{
    if (!isEditing())
        return;
    emit updateRecordRequested();
    if (m_modified)
        postRecord(true);
    else
        cancel();
}

// ---------------------------------------------------------------- rows

int Table::rowCount() const
{
    return m_order.size() + (m_state == State::Insert ? 1 : 0);
}

int Table::currentRow() const
{
    return m_state == State::Insert ? m_insertRow : m_current;
}

bool Table::isPendingRow(int row) const
{
    return m_state == State::Insert && row == m_insertRow;
}

int Table::orderIndexOfRow(int row) const
{
    return m_state == State::Insert && row > m_insertRow ? row - 1 : row;
}

QVariant Table::valueAt(int row, const QString &name) const
{
    if (!isActive() || row < 0 || row >= rowCount())
        return QVariant();
    const int field = fieldIndex(name);
    if (field < 0)
        return QVariant();
    if (row == currentRow())
        return m_buffer[size_t(field)];
    const OrderRow &orderRow = m_order.at(orderIndexOfRow(row));
    if (field == m_captionField)
        return orderRow.caption;
    if (field == m_keyField)
        return orderRow.key;
    std::unique_ptr<SqliteStatement> &select = m_selectField[size_t(field)];
    if (!select)
        select = std::make_unique<SqliteStatement>(
            m_db->handle(), QStringLiteral("SELECT %1 FROM %2 WHERE rowid=?1").arg(quoted(m_fields[size_t(field)].name), quoted(m_sqlTable)));
    select->bindInt(1, orderRow.key);
    const QVariant value = select->step() ? select->value(0) : QVariant();
    select->reset();
    return value;
}

void Table::moveToRow(int row)
{
    requireActive();
    if (row < 0 || row >= rowCount() || row == currentRow())
        return;
    const OrderRow target = m_order.at(orderIndexOfRow(row));
    leaveRecord();
    const int index = m_order.indexOf(target);
    if (index < 0)
        return;
    moveTo(index, false);
    setEdges(false, false);
}

// ---------------------------------------------------------------- editing

void Table::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (count() == 0) {
        insert();
        return;
    }
    m_state = State::Edit;
    m_modified = false;
    emit stateChanged(m_state);
}

void Table::insert()
{
    requireActive();
    leaveRecord();
    m_insertRow = std::max(m_current, 0);
    m_buffer = emptyRecord();
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_buffer[i] = m_fields[i].defaultValue;
    m_modified = false;
    m_state = State::Insert;
    emit rowsChanged();
    emit stateChanged(m_state);
    m_inNewRecord = true;
    try {
        if (onNewRecord)
            onNewRecord();
    } catch (...) {
        m_inNewRecord = false;
        abandonInsert();
        throw;
    }
    m_inNewRecord = false;
    setEdges(false, false);
    emit dataChanged(QString());
}

void Table::abandonInsert()
{
    m_state = State::Browse;
    m_buffer = m_original;
    m_modified = false;
    m_insertRow = -1;
    emit stateChanged(m_state);
    emit rowsChanged();
    emit dataChanged(QString());
}

void Table::post()
{
    requireActive();
    postRecord(false);
}

void Table::postRecord(bool controlsUpdated)
{
    if (!isEditing())
        return;
    if (!controlsUpdated)
        emit updateRecordRequested();
    if (onBeforePost)
        onBeforePost();
    if (m_captionField >= 0) {
        const int length = codePointCount(storedText(m_buffer[size_t(m_captionField)]));
        if (length > MaxCaptionLength)
            throw AppError(QStringLiteral("The caption has %1 characters; a caption can have at most %2").arg(length).arg(MaxCaptionLength));
    }
    qint64 key = m_currentKey;
    writeRecord(&key);

    if (m_state == State::Edit)
        m_order.removeAt(m_current);
    m_current = m_order.insert(orderRowFromBuffer(key));
    m_currentKey = key;
    if (m_keyField >= 0)
        m_buffer[size_t(m_keyField)] = key;
    m_original = m_buffer;
    m_modified = false;
    m_insertRow = -1;
    m_state = State::Browse;
    setEdges(false, false);
    emit stateChanged(m_state);
    emit rowsChanged();
    emit dataChanged(QString());
    if (onAfterPost)
        onAfterPost();
}

// One transaction: the record is in the file after COMMIT, or not at all.
void Table::writeRecord(qint64 *key)
{
    const bool inserting = m_state == State::Insert;
    QVariant plainText;
    if (m_plainTextField >= 0 && m_descriptionField >= 0) {
        const QVariant body = m_buffer[size_t(m_descriptionField)];
        if (body.isValid())
            plainText = RtfReader::toPlainText(body.toByteArray());
    }
    SqliteStatement &statement = inserting ? *m_insertRecord : *m_updateRecord;
    try {
        beginWrite();
        int parameter = 0;
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (int(i) == m_keyField)
                continue;
            statement.bind(++parameter, int(i) == m_plainTextField ? plainText : m_buffer[i]);
        }
        if (!inserting)
            statement.bindInt(++parameter, *key);
        statement.step();
        statement.reset();
        if (!inserting && sqlite3_changes(m_db->handle()) != 1)
            throw AppError(QStringLiteral("the record is no longer in the table"));
        if (inserting)
            *key = sqlite3_last_insert_rowid(m_db->handle());
        endWrite();
    } catch (const AppError &error) {
        statement.reset();
        abandonWrite();
        throw AppError(QStringLiteral("Cannot save the record in %1: %2").arg(m_path, error.message()));
    }
    if (m_plainTextField >= 0)
        m_buffer[size_t(m_plainTextField)] = plainText;
}

// Outside a batch each write is its own transaction; inside one, a
// savepoint keeps the write all-or-nothing within the batch's transaction.
void Table::beginWrite()
{
    m_db->exec(m_batch ? "SAVEPOINT record_write" : "BEGIN IMMEDIATE");
}

void Table::endWrite()
{
    m_db->exec(m_batch ? "RELEASE record_write" : "COMMIT");
}

void Table::abandonWrite() noexcept
{
    if (!m_batch) {
        m_db->rollbackQuietly();
        return;
    }
    try {
        m_db->exec("ROLLBACK TO record_write");
        m_db->exec("RELEASE record_write");
    } catch (const AppError &) {
    }
    // SQLite may have rolled the whole transaction back itself (a full disk,
    // an I/O error): the batch's earlier posts are gone with it.
    if (sqlite3_get_autocommit(m_db->handle())) {
        m_batch = false;
        m_batchLost = true;
    }
}

void Table::beginBatch()
{
    requireActive();
    if (m_batch)
        throw AppError(QStringLiteral("A batch of changes to %1 is already running").arg(m_path));
    m_db->exec("BEGIN IMMEDIATE");
    m_batch = true;
    m_batchLost = false;
}

void Table::commitBatch()
{
    finishBatch(true);
}

void Table::endBatch()
{
    finishBatch(false);
}

void Table::finishBatch(bool keepGoing)
{
    if (!m_batch) {
        if (m_batchLost)
            reportLostBatch();
        return;
    }
    try {
        m_db->exec("COMMIT");
    } catch (const AppError &) {
        // A reader holding the file makes the commit wait and fail; the
        // transaction is still open then, and a later commit tries again.
        if (!sqlite3_get_autocommit(m_db->handle()))
            throw;
        m_batch = false;
        reportLostBatch();
    }
    m_batch = false;
    if (keepGoing) {
        m_db->exec("BEGIN IMMEDIATE");
        m_batch = true;
    }
}

// The file no longer holds the batch's posts: the table shows the file's
// records again and says so, instead of showing rows that are not stored.
void Table::reportLostBatch()
{
    m_batchLost = false;
    const QFileInfo file(m_path);
    const QString order = m_orderName;
    const qint64 key = m_currentKey;
    const QString path = m_path;
    resetToClosed();
    open(file.absolutePath(), file.fileName(), order);
    const int index = m_order.indexOfKey(key);
    if (index >= 0)
        moveTo(index, true);
    throw AppError(QStringLiteral("The changes made to %1 in this run could not be saved").arg(path));
}

void Table::cancel()
{
    requireActive();
    if (m_state == State::Insert) {
        m_insertRow = -1;
        m_state = State::Browse;
        m_buffer = m_original;
        m_modified = false;
        setEdges(false, false);
        emit stateChanged(m_state);
        emit rowsChanged();
        emit dataChanged(QString());
    } else if (m_state == State::Edit) {
        m_state = State::Browse;
        m_buffer = m_original;
        m_modified = false;
        emit stateChanged(m_state);
        emit dataChanged(QString());
    } else {
        return;
    }
    if (onAfterCancel)
        onAfterCancel();
}

void Table::remove()
{
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_current < 0)
        throw AppError(QStringLiteral("The table %1 holds no record to delete").arg(m_path));
    try {
        beginWrite();
        m_deleteRecord->bindInt(1, m_currentKey);
        m_deleteRecord->step();
        m_deleteRecord->reset();
        endWrite();
    } catch (const AppError &error) {
        m_deleteRecord->reset();
        abandonWrite();
        throw AppError(QStringLiteral("Cannot delete the record from %1: %2").arg(m_path, error.message()));
    }
    m_order.removeAt(m_current);
    const int index = std::min(m_current, count() - 1);
    m_state = State::Browse;
    m_modified = false;
    m_current = -2;  // forces moveTo to load the record now in its place
    try {
        moveTo(index, true);
    } catch (...) {
        // The delete itself is done; an unreadable neighbour leaves an empty buffer.
        m_current = index;
        m_buffer = m_original = emptyRecord();
    }
    setEdges(false, false);
    emit stateChanged(m_state);
    emit rowsChanged();
    if (onAfterDelete)
        onAfterDelete();
}

// ---------------------------------------------------------------- fields

void Table::requireActive() const
{
    if (!isActive())
        throw AppError(QStringLiteral("The table is not open"));
}

int Table::fieldIndex(const QString &name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

int Table::requireField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw AppError(QStringLiteral("The table %1 has no field %2").arg(m_path, name));
    return index;
}

QStringList Table::fieldNames() const
{
    QStringList names;
    for (const Field &field : m_fields)
        names << field.name;
    return names;
}

bool Table::isReadOnlyField(const QString &name) const
{
    const int index = fieldIndex(name);
    return index >= 0 && m_fields[size_t(index)].readOnly;
}

QVariant Table::fieldValue(const QString &name) const
{
    requireActive();
    return m_buffer[size_t(requireField(name))];
}

void Table::setFieldValue(const QString &name, const QVariant &value)
{
    requireActive();
    const int index = requireField(name);
    const Field &field = m_fields[size_t(index)];
    if (field.readOnly)
        throw AppError(QStringLiteral("The field %1 cannot be changed").arg(field.name));
    if (!isEditing())
        throw AppError(QStringLiteral("The table is not being edited; field %1 cannot be changed").arg(field.name));
    m_buffer[size_t(index)] = converted(field, value);
    if (!m_inNewRecord)
        m_modified = true;
    emit dataChanged(field.name);
}

QVariant Table::converted(const Field &field, const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return field.notNull ? field.defaultValue : QVariant();
    if (field.type == QLatin1String("INTEGER")) {
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok)
            throw AppError(QStringLiteral("The field %1 takes a whole number, not \"%2\"").arg(field.name, value.toString()));
        return number;
    }
    if (field.type == QLatin1String("BLOB"))
        return value.metaType().id() == QMetaType::QString ? value.toString().toUtf8() : value.toByteArray();
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QByteArray:
        return withoutLoneSurrogates(QString::fromUtf8(value.toByteArray()));
    default:
        return withoutLoneSurrogates(value.toString());
    }
}

qint64 Table::recordKey() const
{
    return m_state == State::Insert ? 0 : m_currentKey;
}

std::vector<QVariant> Table::emptyRecord() const
{
    return std::vector<QVariant>(m_fields.size());
}

std::vector<QVariant> Table::readRecord(qint64 key) const
{
    std::vector<QVariant> values = emptyRecord();
    m_selectRecord->bindInt(1, key);
    try {
        if (m_selectRecord->step()) {
            for (size_t i = 0; i < values.size(); ++i)
                values[i] = m_selectRecord->value(int(i));
        }
    } catch (const AppError &error) {
        m_selectRecord->reset();
        throw AppError(QStringLiteral("Cannot read a record of %1: %2").arg(m_path, error.message()));
    }
    m_selectRecord->reset();
    return values;
}

OrderRow Table::orderRowFromBuffer(qint64 key) const
{
    OrderRow row;
    row.key = key;
    if (m_captionField >= 0) {
        row.caption = storedText(m_buffer[size_t(m_captionField)]);
        row.fold = CaptionCollation::foldBeyondAscii(row.caption);
    }
    if (m_dateField >= 0)
        row.date = storedText(m_buffer[size_t(m_dateField)]);
    if (m_timeField >= 0)
        row.time = storedText(m_buffer[size_t(m_timeField)]);
    return row;
}
