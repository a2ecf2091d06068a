// Renders the main window, as it looks at start, to the PNG file named on the
// command line: the picture in the README.
#include <QApplication>
#include <QPixmap>

#include <cstdio>

#include "window/application.h"
#include "window/frm2.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: window-snapshot FILE.png\n", stderr);
        return 2;
    }
    window::installRussianTranslation(application);
    window::frm2 mainWindow;
    mainWindow.show();
    QApplication::processEvents();
    return mainWindow.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
