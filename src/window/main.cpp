#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <csignal>
#include <cstdio>

#include "window/application.h"
#include "window/frm2.h"

int main(int argc, char* argv[]) {
    if (!window::displayAvailable()) {
        std::fputs("Удаление дублей: нет дисплея (не задан DISPLAY или WAYLAND_DISPLAY), окно показать негде.\n",
                   stderr);
        return 2;
    }
    // A file-size limit then fails the write with an error the user is told
    // about, instead of killing the program mid-run.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    window::installRussianTranslation(application);
    window::setApplicationIdentity(application);

    window::frm2 mainWindow;
    mainWindow.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, mainWindow.size(),
                                               mainWindow.screen()->availableGeometry()));
    mainWindow.show();
    return application.exec();
}
