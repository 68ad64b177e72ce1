#pragma once

class QKeyEvent;

// Which key presses change the text of an edit control, so a data-aware
// control can put its table into editing before the change is applied.
namespace EditKeys {

bool changesText(const QKeyEvent *event);

} // namespace EditKeys
