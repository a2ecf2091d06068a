#include "window/frm2.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <limits>

#include "removal/run_failure.h"
#include "window/application.h"
#include "window/twips.h"
#include "window/wait_cursor.h"

namespace window {

namespace {

// The classic dialog face at 8 points, or a face of its widths, so that the
// captions fit the widths of the layout.
QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                      QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8);
    return font;
}

QFont textBoxFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    return font;
}

}  // namespace

frm2::frm2(QWidget* parent)
    : QWidget(parent), failureExit_([](int status) { QCoreApplication::exit(status); }) {
    setObjectName(QStringLiteral("frm2"));
    setWindowTitle(QString::fromUtf8(applicationTitle));
    setFont(windowFont());
    setWindowIcon(applicationIcon());
    setFixedSize(twipsToPixels(4725), twipsToPixels(2505));

    const char* const defaultPaths[] = {"ddd.txt", "ddd_new.txt"};
    const char* const captions[] = {"Исходный файл :", "Итоговый файл :"};
    const int textTops[] = {240, 840};
    const int labelTops[] = {360, 900};
    for (int index = 0; index < 2; ++index) {
        txtBox[index] = new QLineEdit(QString::fromUtf8(defaultPaths[index]), this);
        txtBox[index]->setObjectName(QStringLiteral("txtBox(%1)").arg(index));
        txtBox[index]->setGeometry(twipsRect(1800, textTops[index], 2412, 372));
        txtBox[index]->setFont(textBoxFont());
        txtBox[index]->setMaxLength(std::numeric_limits<int>::max());

        lbl[index] = new QLabel(QString::fromUtf8(captions[index]), this);
        lbl[index]->setObjectName(QStringLiteral("lbl(%1)").arg(index));
        lbl[index]->setGeometry(twipsRect(120, labelTops[index], 1572, 252));
        lbl[index]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        lbl[index]->setTextFormat(Qt::PlainText);
        lbl[index]->setFocusPolicy(Qt::NoFocus);
    }

    chkBox = new QCheckBox(QString::fromUtf8("Без вопросов затереть прошлый итоговый файл"), this);
    chkBox->setObjectName(QStringLiteral("chkBox"));
    chkBox->setGeometry(twipsRect(360, 1320, 4092, 252));
    chkBox->setTristate(false);

    cmd = new QPushButton(QString::fromUtf8("УДАЛЕНИЕ"), this);
    cmd->setObjectName(QStringLiteral("cmd"));
    cmd->setGeometry(twipsRect(1440, 1800, 1812, 372));
    cmd->setAutoDefault(false);
    cmd->setDefault(false);
    connect(cmd, &QPushButton::clicked, this, &frm2::cmd_Click);

    setTabOrder(txtBox[0], txtBox[1]);
    setTabOrder(txtBox[1], chkBox);
    setTabOrder(chkBox, cmd);
    txtBox[0]->setFocus();
}

std::string frm2::pathText(int index) const { return txtBox.at(static_cast<std::size_t>(index))->text().toStdString(); }

std::string frm2::pathCaption(int index) const {
    return lbl.at(static_cast<std::size_t>(index))->text().toStdString();
}

int frm2::overwriteWithoutAsking() const {
    // Qt numbers partially checked 1 and checked 2; the command wants greyed as 2.
    switch (chkBox->checkState()) {
    case Qt::Unchecked: return 0;
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void frm2::showInfo(const std::string& text) {
    WaitCursorPause pause(waitCursor_);
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(applicationTitle), QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

removal::Answer frm2::askYesNo(const std::string& text) {
    WaitCursorPause pause(waitCursor_);
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(applicationTitle), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? removal::Answer::Yes : removal::Answer::No;
}

void frm2::reportFailure(const QString& description) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(applicationTitle),
                    description + QString::fromUtf8("\n\nПрограмма будет закрыта."), QMessageBox::Ok, this);
    box.exec();
    failureExit_(1);
}

// The general failure report: the one place where a failure of the run is
// caught. Nothing may cross the event loop.
void frm2::cmd_Click() {
    QString failure;
    {
        WaitCursor wait;
        waitCursor_ = &wait;
        try {
            removal::runRemoval(*this);
        } catch (const removal::RunFailure& raised) {
            failure = QString::fromUtf8(removal::failureKindTitle(raised.kind())) + QStringLiteral(".\n\n") +
                      QString::fromUtf8(raised.what());
        } catch (const std::exception& raised) {
            failure = QString::fromUtf8("Непредвиденный сбой.\n\n") + QString::fromUtf8(raised.what());
        } catch (...) {
            failure = QString::fromUtf8("Непредвиденный сбой.");
        }
        waitCursor_ = nullptr;
    }
    if (!failure.isNull()) reportFailure(failure);
}

}  // namespace window
