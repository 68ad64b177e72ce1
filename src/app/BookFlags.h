#pragma once

// Run-time flags of the book table's event handlers, shared with the
// operations that copy books.
extern bool NewRecordPending;         // a new record was stamped and not yet posted
extern bool StampingNewRecord;        // the new-record handler is writing its stamps
extern bool SuppressNewRecordStamps;  // book copying runs: new records get no stamps
