#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QPushButton>

namespace testing_support {

ModalAnswerer::ModalAnswerer(std::deque<QMessageBox::StandardButton> answers, int timeoutMs)
    : answers_(std::move(answers)) {
    connect(&pollTimer_, &QTimer::timeout, this, &ModalAnswerer::poll);
    pollTimer_.start(10);
    timeout_.setSingleShot(true);
    connect(&timeout_, &QTimer::timeout, this, [this] {
        timedOut = true;
        while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    timeout_.start(timeoutMs);
}

void ModalAnswerer::poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box == current_ || !box->isVisible()) return;
    current_ = box;

    SeenBox record;
    record.title = box->windowTitle();
    record.text = box->text();
    record.icon = box->icon();
    // Button texts without their access-key marks.
    for (QAbstractButton* button : box->buttons()) record.buttons << button->text().remove(QLatin1Char('&'));
    if (QPushButton* defaultButton = box->defaultButton())
        record.defaultButton = defaultButton->text().remove(QLatin1Char('&'));
    record.waitCursorShown = QGuiApplication::overrideCursor() != nullptr;
    seen << record;

    if (answers_.empty()) {
        unexpectedBox = true;
        box->reject();
        return;
    }
    const QMessageBox::StandardButton answer = answers_.front();
    answers_.pop_front();
    if (QAbstractButton* button = box->button(answer)) {
        button->click();
    } else {
        unexpectedBox = true;
        box->reject();
    }
}

}  // namespace testing_support
