#include "window/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace window {

WaitCursor::WaitCursor() { resume(); }

WaitCursor::~WaitCursor() { suspend(); }

void WaitCursor::suspend() {
    if (!shown_) return;
    QGuiApplication::restoreOverrideCursor();
    shown_ = false;
}

void WaitCursor::resume() {
    if (shown_) return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    shown_ = true;
}

}  // namespace window
