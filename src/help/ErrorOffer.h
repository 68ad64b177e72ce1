#pragma once

class QWidget;

// The error offer after a failed book or library operation: the error
// message with OK and No; OK sends the error report numbered `number`.
// Returns whether the report was made. Callers decide what follows.
bool offerErrorReport(QWidget *parent, int number);
