// The Edit menu of the windows that change the job: Undo and Redo of the session's history,
// named after the step each would take ("Undo Paste"), on Ctrl+Z, and Ctrl+Shift+Z or Ctrl+Y.
#pragma once

#include <functional>

class QMenuBar;
class QWidget;

namespace sidewalk::ui {

struct Services;

// Adds Edit before the bar's Help. After an undo or a redo, shown() puts what the window shows
// of the job right; a block file that cannot be written is told, with nothing changed.
void AddEditMenu(QWidget& window, QMenuBar& bar, Services& services, std::function<void()> shown);

} // namespace sidewalk::ui
