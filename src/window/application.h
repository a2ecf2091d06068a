#pragma once

class QApplication;

namespace window {

// Loads Qt's own Russian texts, so that standard buttons read "Да" and "Нет".
void installRussianTranslation(QApplication& application);

// True when some display is there to show a window on.
bool displayAvailable();

}  // namespace window
