#include "window/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdlib>

namespace window {

void installRussianTranslation(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

QIcon applicationIcon() { return QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(applicationId))); }

void setApplicationIdentity(QApplication& application) {
    application.setWindowIcon(applicationIcon());
    QGuiApplication::setDesktopFileName(QLatin1String(applicationId));
}

bool displayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace window
