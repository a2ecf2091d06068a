#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "modal_answerer.h"
#include "window/application.h"
#include "window/frm2.h"
#include "window/twips.h"

using testing_support::ModalAnswerer;
using window::frm2;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

const QByteArray sampleSource = "H\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,\r\nWP,3,a,b,d,\r\n";
const QByteArray sampleResult = "H\r\nWP,1,a,b,c,\r\nWP,3,a,b,d,\r\n";

}  // namespace

class Frm2Test : public QObject {
    Q_OBJECT

private:
    QTemporaryDir folder;
    QString source() const { return folder.filePath(QStringLiteral("ddd.txt")); }
    QString result() const { return folder.filePath(QStringLiteral("ddd_new.txt")); }

    // A window whose fields point into the temporary folder, shown and active.
    std::unique_ptr<frm2> openWindow() {
        auto window = std::make_unique<frm2>();
        window->txtBox[0]->setText(source());
        window->txtBox[1]->setText(result());
        window->show();
        window->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(window.get())); }();
        return window;
    }

private slots:
    void initTestCase() {
        window::installRussianTranslation(*qApp);
        QVERIFY(folder.isValid());
    }
    void init() {
        QFile::remove(result());
        writeAll(source(), sampleSource);
    }

    void twipsRoundToTheNearestPixel_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("exact") << 1800 << 120;
        QTest::newRow("just below half") << 1807 << 120;
        QTest::newRow("half rounds up") << 1808 << 121;
        QTest::newRow("2412") << 2412 << 161;
        QTest::newRow("372") << 372 << 25;
        QTest::newRow("252") << 252 << 17;
        QTest::newRow("zero") << 0 << 0;
    }
    void twipsRoundToTheNearestPixel() {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        QCOMPARE(window::twipsToPixels(twips), pixels);
    }

    void controlsStandWhereTheLayoutSays_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // in pixels, from the twips of the layout
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("alignedRight");
        QTest::addColumn<bool>("textBoxFont");
        QTest::newRow("txtBox(0)") << "txtBox(0)" << QRect(120, 16, 161, 25) << "ddd.txt" << false << true;
        QTest::newRow("txtBox(1)") << "txtBox(1)" << QRect(120, 56, 161, 25) << "ddd_new.txt" << false << true;
        QTest::newRow("lbl(0)") << "lbl(0)" << QRect(8, 24, 105, 17) << "Исходный файл :" << true << false;
        QTest::newRow("lbl(1)") << "lbl(1)" << QRect(8, 60, 105, 17) << "Итоговый файл :" << true << false;
        QTest::newRow("chkBox") << "chkBox" << QRect(24, 88, 273, 17) << "Без вопросов затереть прошлый итоговый файл"
                                << false << false;
        QTest::newRow("cmd") << "cmd" << QRect(96, 120, 121, 25) << "УДАЛЕНИЕ" << false << false;
    }
    void controlsStandWhereTheLayoutSays() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, alignedRight);
        QFETCH(bool, textBoxFont);

        frm2 window;
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
        QVariant shown = control->property("text");
        QCOMPARE(shown.toString(), text);
        if (auto* label = qobject_cast<QLabel*>(control)) {
            QCOMPARE(bool(label->alignment() & Qt::AlignRight), alignedRight);
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        if (textBoxFont) {
            QCOMPARE(control->font().family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(control->font().pointSizeF(), 9.75);
            QCOMPARE(control->font().weight(), QFont::Normal);
            QCOMPARE(static_cast<QLineEdit*>(control)->maxLength(), std::numeric_limits<int>::max());
        } else {
            QCOMPARE(control->font(), window.font());
        }
        QVERIFY2(!text.contains(QLatin1Char('&')), "no access keys");
    }

    void windowIsFixedAndTitled() {
        frm2 window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Удаление дублей"));
        QCOMPARE(window.size(), QSize(315, 167));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!window.cmd->isDefault());
        QVERIFY(!window.cmd->autoDefault());
        QVERIFY(!window.chkBox->isChecked());
        QVERIFY(!window.chkBox->isTristate());
        QVERIFY(qobject_cast<QDialog*>(&window) == nullptr);
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(!window.windowIcon().pixmap(48, 48).isNull());
    }

    void focusStartsInTheSourceAndTabsInOrder() {
        auto window = openWindow();
        QTRY_COMPARE(QApplication::focusWidget(), window->txtBox[0]);
        const QList<QWidget*> order = {window->txtBox[1], window->chkBox, window->cmd, window->txtBox[0]};
        for (QWidget* expected : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), expected);
        }
    }

    void enterInATextBoxStartsNothing() {
        auto window = openWindow();
        ModalAnswerer answerer({}, 500);
        for (QLineEdit* box : window->txtBox) {
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Enter);
        }
        QTest::qWait(100);
        QVERIFY(answerer.seen.isEmpty());
        QVERIFY(!QFile::exists(result()));
    }

    void spaceOnTheButtonStartsTheRun() {
        auto window = openWindow();
        ModalAnswerer answerer({QMessageBox::Ok});
        window->cmd->setFocus();
        QTest::keyClick(window->cmd, Qt::Key_Space);
        QTRY_COMPARE(answerer.seen.size(), 1);
        QCOMPARE(readAll(result()), sampleResult);
    }

    void checkBoxStateMapsToTheCommandsNumbers_data() {
        QTest::addColumn<Qt::CheckState>("state");
        QTest::addColumn<int>("number");
        QTest::newRow("unchecked") << Qt::Unchecked << 0;
        QTest::newRow("checked") << Qt::Checked << 1;
        QTest::newRow("greyed") << Qt::PartiallyChecked << 2;
    }
    void checkBoxStateMapsToTheCommandsNumbers() {
        QFETCH(Qt::CheckState, state);
        QFETCH(int, number);
        frm2 window;
        window.chkBox->setCheckState(state);
        QCOMPARE(window.overwriteWithoutAsking(), number);
    }

    void emptyFieldIsReported() {
        auto window = openWindow();
        window->txtBox[1]->clear();
        ModalAnswerer answerer({QMessageBox::Ok});
        QTest::mouseClick(window->cmd, Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 1);
        const auto& box = answerer.seen.first();
        QCOMPARE(box.title, QStringLiteral("Удаление дублей"));
        QCOMPARE(box.text, QStringLiteral("Не указан Итоговый файл :"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(!box.waitCursorShown);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void overwriteAskedAndDeclinedKeepsTheResult() {
        writeAll(result(), "old");
        auto window = openWindow();
        ModalAnswerer answerer({QMessageBox::No});
        QTest::mouseClick(window->cmd, Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 1);
        const auto& box = answerer.seen.first();
        QCOMPARE(box.title, QStringLiteral("Удаление дублей"));
        QCOMPARE(box.text, QStringLiteral("Можно ли затереть существующий итоговый файл ") + result());
        QCOMPARE(box.icon, QMessageBox::Question);
        QCOMPARE(box.buttons.size(), 2);
        QVERIFY(box.buttons.contains(QStringLiteral("Да")));
        QVERIFY(box.buttons.contains(QStringLiteral("Нет")));
        QCOMPARE(box.defaultButton, QStringLiteral("Да"));
        QVERIFY(!box.waitCursorShown);
        QCOMPARE(readAll(result()), QByteArray("old"));
        QVERIFY(window->isVisible());
    }

    void overwriteAcceptedWritesAndSummarises() {
        writeAll(result(), "old");
        auto window = openWindow();
        window->txtBox[0]->setText(source());
        ModalAnswerer answerer({QMessageBox::Yes, QMessageBox::Ok});
        QTest::mouseClick(window->cmd, Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 2);
        const auto& summary = answerer.seen.at(1);
        QCOMPARE(summary.text, QStringLiteral("Сформировано 4 строк."));
        QCOMPARE(summary.icon, QMessageBox::NoIcon);
        QCOMPARE(summary.buttons, QStringList{QStringLiteral("OK")});
        QCOMPARE(readAll(result()), sampleResult);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void textsAndCheckBoxKeepTheirStateAfterARun() {
        auto window = openWindow();
        window->chkBox->setChecked(true);
        ModalAnswerer answerer({QMessageBox::Ok});
        QTest::mouseClick(window->cmd, Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(window->txtBox[0]->text(), source());
        QCOMPARE(window->txtBox[1]->text(), result());
        QVERIFY(window->chkBox->isChecked());
    }

    void failureIsReportedAndEndsTheApplication() {
        auto window = openWindow();
        window->txtBox[0]->setText(folder.filePath(QStringLiteral("missing.txt")));
        int exitStatus = -1;
        window->setFailureExit([&](int status) { exitStatus = status; });
        ModalAnswerer answerer({QMessageBox::Ok});
        QTest::mouseClick(window->cmd, Qt::LeftButton);
        QCOMPARE(answerer.seen.size(), 1);
        const auto& report = answerer.seen.first();
        QCOMPARE(report.title, QStringLiteral("Удаление дублей"));
        QCOMPARE(report.icon, QMessageBox::Critical);
        QVERIFY2(report.text.contains(QStringLiteral("не найден")), qPrintable(report.text));
        QVERIFY2(report.text.contains(QStringLiteral("missing.txt")), qPrintable(report.text));
        QVERIFY(!report.waitCursorShown);
        QCOMPARE(exitStatus, 1);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }

    void cleanup() {
        while (QGuiApplication::overrideCursor() != nullptr) {
            QGuiApplication::restoreOverrideCursor();
            QFAIL("a wait cursor was left behind");
        }
    }
};

QTEST_MAIN(Frm2Test)
#include "frm2_test.moc"
