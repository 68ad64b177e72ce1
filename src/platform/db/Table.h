#pragma once

#include "platform/db/BookSchema.h"
#include "platform/db/RecordOrder.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class SqliteConnection;
class SqliteStatement;

// A dataset over one book table file ("bf.db", table Records) or date table
// file ("d.db", table BackupDate), with the classic dataset behaviour the
// program is written against.
//
// States: Inactive (closed), Browse, Edit (the current record is being
// changed), Insert (a new record is being written; it is not stored yet).
//
// Rules:
//  - edit() on an empty table starts a new record (insert()).
//  - Starting a record runs onNewRecord; field writes made inside it do not
//    count as a change (isModified() stays false).
//  - Leaving the current record (any move, locate, moveToRow, setOrder,
//    insert) first asks bound controls to write their values
//    (updateRecordRequested), then posts the record when it was changed,
//    and otherwise cancels it, so an untouched new record is dropped.
//    An explicit post() saves even an untouched new record.
//  - cancel() of a new record returns to the record that was current;
//    remove() of a pending new record cancels it; after a delete the record
//    that followed becomes current (the new last one when the last went).
//  - Each post and each delete is one transaction on the file, which runs
//    in rollback-journal mode with synchronous=FULL: once post() returns
//    the record survives a crash.
//  - A failed operation raises AppError and leaves the table (state, current
//    record, pending values) and the file as they were. post() refuses a
//    Caption longer than MaxCaptionLength characters (code points).
//  - PlainText is kept by the table: every post stores the plain text of
//    Description there; it cannot be written directly, nor can Inc.
//
// Orders: CaptionOrder ("CAPTION_FIELD", case-insensitive for all of
// Unicode, see CaptionCollation; ties by Inc), DateOrder ("DATE_FIELD",
// by Date then Time, ties by Inc), and the empty name for the key order,
// the only one of the date table.
//
// Field values are QVariants: an invalid variant is NULL, Inc and the
// weekdays are qint64, Caption, Date ('YYYY-MM-DD'), Time ('HH:MM:SS') and
// PlainText are QString, Description is QByteArray (RTF). setFieldValue
// also takes a QDate or QTime for the text fields and writes them in that
// form. Field names compare without regard to case.
class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    static const QString CaptionOrder;
    static const QString DateOrder;
    static constexpr int MaxCaptionLength = 255;

    explicit Table(QObject *parent = nullptr);
    ~Table() override;

    // Opens `tableName` in `folder` (both may use either separator; the table
    // must be closed) and moves to the first record of the named order.
    // Refused, with the file untouched: a missing folder or file, a file that
    // is not a database or is damaged, another schema or a newer
    // user_version, a file or folder that cannot be written.
    void open(const QString &folder, const QString &tableName, const QString &orderName = QString());
    // Closes without saving: a pending edit or new record is discarded.
    void close();

    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    QString filePath() const { return m_path; }
    BookSchema::TableKind kind() const { return m_kind; }

    QString orderName() const { return m_orderName; }
    // Switches the order, keeping the current record current (after
    // leaving it, which may post or drop it).
    void setOrder(const QString &orderName);

    int count() const;     // stored records
    int position() const;  // of the current record in the order, from 1; 0 when none
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    void first();
    void prior();  // at the first record only sets bof()
    void next();   // at the last record only sets eof()
    void last();
    // Moves to the first record in the current order whose Caption begins
    // with `captionPrefix` ignoring case; false, and nothing changes, if none.
    bool locate(const QString &captionPrefix);

    void edit();
    void insert();
    void post();
    void cancel();
    void remove();
    bool isModified() const { return m_modified; }

    // A run of many posts (replacing across a whole book) shares one
    // transaction instead of syncing the file once per record. Each post
    // inside stays all-or-nothing; a crash before commitBatch() leaves the
    // file as it was when the batch began. commitBatch() makes every post so
    // far durable and keeps the batch going; endBatch() commits and ends it.
    // close() ends a running batch first. Batches do not nest. A commit that
    // has to wait for another reader fails with the batch still open, so it
    // can be tried again; if SQLite itself rolled the batch back, the table
    // rereads the file and raises AppError saying the changes were lost.
    void beginBatch();
    void commitBatch();
    void endBatch();
    bool inBatch() const { return m_batch; }

    QStringList fieldNames() const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    bool isReadOnlyField(const QString &name) const;
    // The current record's value; NULL when there is no current record.
    QVariant fieldValue(const QString &name) const;
    // Only in Edit or Insert state.
    void setFieldValue(const QString &name, const QVariant &value);
    // Inc of the current record; 0 for a new record or none.
    qint64 recordKey() const;

    // The rows a record list shows: the records in order and, while a new
    // record is pending, that record as one more row at the place where it
    // was started. Rows count from 0.
    int rowCount() const;
    int currentRow() const;  // -1 when there is none
    bool isPendingRow(int row) const;
    // Values of rows other than the current one are read when asked for
    // (Caption is held in memory), so a list shows a large book at once.
    QVariant valueAt(int row, const QString &name) const;
    // Makes the record shown in `row` current, leaving the current record.
    void moveToRow(int row);

    // Events. An exception from onNewRecord abandons the new record; one
    // from onBeforePost cancels the post (nothing is written). The "after"
    // events run once the operation is complete.
    std::function<void()> onNewRecord;
    std::function<void()> onBeforePost;
    std::function<void()> onAfterPost;
    std::function<void()> onAfterCancel;
    std::function<void()> onAfterDelete;

signals:
    void stateChanged(Table::State state);
    // A field of the current record changed (its name), or the record
    // itself (empty name: open, move, post, cancel, delete, new record,
    // order switch).
    void dataChanged(const QString &field);
    // Rows appeared, went or changed places; a list rereads them.
    void rowsChanged();
    // Bound controls write their pending values into the record now.
    void updateRecordRequested();

private:
    struct Field
    {
        QString name;
        QString type;  // INTEGER, TEXT or BLOB
        QVariant defaultValue;
        bool notNull = false;
        bool readOnly = false;
    };

    void requireActive() const;
    int fieldIndex(const QString &name) const;
    int requireField(const QString &name) const;
    QVariant converted(const Field &field, const QVariant &value) const;

    void readFields();
    void prepareStatements();
    RecordOrder::Kind orderKind(const QString &orderName) const;
    std::vector<OrderRow> loadCaptionKeys(bool *inCaptionOrder);
    void loadOrder(RecordOrder::Kind kind);
    void reorderByScan(std::vector<OrderRow> &rows, const QString &sql, bool withDates);
    void arrange(std::vector<OrderRow> &rows, RecordOrder::Kind kind, bool inCaptionIndexOrder);

    std::vector<QVariant> readRecord(qint64 key) const;
    std::vector<QVariant> emptyRecord() const;
    OrderRow orderRowFromBuffer(qint64 key) const;
    int orderIndexOfRow(int row) const;

    void leaveRecord();
    void moveTo(int index, bool alwaysNotify);
    void setEdges(bool bof, bool eof);
    void postRecord(bool controlsUpdated);
    void writeRecord(qint64 *key);
    void beginWrite();
    void endWrite();
    void abandonWrite() noexcept;
    void finishBatch(bool keepGoing);
    [[noreturn]] void reportLostBatch();
    void abandonInsert();
    void resetToClosed();

    std::unique_ptr<SqliteConnection> m_db;
    std::unique_ptr<SqliteStatement> m_selectRecord;
    std::unique_ptr<SqliteStatement> m_insertRecord;
    std::unique_ptr<SqliteStatement> m_updateRecord;
    std::unique_ptr<SqliteStatement> m_deleteRecord;
    mutable std::vector<std::unique_ptr<SqliteStatement>> m_selectField;

    QString m_path;
    BookSchema::TableKind m_kind = BookSchema::TableKind::Records;
    QString m_sqlTable;
    std::vector<Field> m_fields;
    int m_keyField = -1;  // Inc; the date table has none (its rowid is the key)
    int m_captionField = -1;
    int m_dateField = -1;
    int m_timeField = -1;
    int m_descriptionField = -1;
    int m_plainTextField = -1;

    QString m_orderName;
    RecordOrder m_order;

    State m_state = State::Inactive;
    int m_current = -1;      // index in m_order; while inserting, the record to return to
    int m_insertRow = -1;    // row of the pending new record
    qint64 m_currentKey = 0;
    std::vector<QVariant> m_buffer;    // the current record's values
    std::vector<QVariant> m_original;  // as stored, for cancel
    bool m_modified = false;
    bool m_batch = false;
    bool m_batchLost = false;  // the batch's transaction was rolled back by SQLite
    bool m_inNewRecord = false;
    bool m_bof = true;
    bool m_eof = true;
};
