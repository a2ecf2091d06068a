#pragma once

class QApplication;
class QIcon;

namespace window {

// The one id of the program on the desktop: its desktop entry, metainfo and
// icon are named after it.
inline constexpr char applicationId[] = "org.wpdedup.UdalenieDubley";

// The program's icon, built into it.
QIcon applicationIcon();

// Names the program to the desktop: its icon and its desktop entry.
void setApplicationIdentity(QApplication& application);

// Loads Qt's own Russian texts, so that standard buttons read "Да" and "Нет".
void installRussianTranslation(QApplication& application);

// True when some display is there to show a window on.
bool displayAvailable();

}  // namespace window
