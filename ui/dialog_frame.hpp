// The frame every dialog of the program asks the window manager for: a title and a close box,
// no minimise, and a maximise button only where the window is worth making larger.
#pragma once

#include <QWidget>

namespace sidewalk::ui {

inline void SetDialogFrame(QWidget& dialog, bool maximise = false) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (maximise) flags |= Qt::WindowMaximizeButtonHint;
    dialog.setWindowFlags(flags);
}

} // namespace sidewalk::ui
