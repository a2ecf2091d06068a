#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>

namespace testing_support {

// What a message box looked like when it came up.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
    bool waitCursorShown = false;
};

// Watches for modal message boxes, records each one and presses the next
// button from its queue. A box that outlives the timeout, or that comes when
// the queue is empty, is closed and noted, so a test never hangs.
class ModalAnswerer : public QObject {
    Q_OBJECT

public:
    explicit ModalAnswerer(std::deque<QMessageBox::StandardButton> answers, int timeoutMs = 10000);

    QList<SeenBox> seen;
    bool timedOut = false;
    bool unexpectedBox = false;

private:
    void poll();

    std::deque<QMessageBox::StandardButton> answers_;
    QPointer<QMessageBox> current_;
    QTimer pollTimer_;
    QTimer timeout_;
};

}  // namespace testing_support
