#include "app/BookFlags.h"

bool NewRecordPending = false;
bool StampingNewRecord = false;
bool SuppressNewRecordStamps = false;
