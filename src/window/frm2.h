#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "removal/removal_command.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace window {

class WaitCursor;

// The application's title, borne by the window and every message box.
inline const char* const applicationTitle = "Удаление дублей";

// The main window: two file names, the overwrite check box and the button.
// Its only logic is the button's Click; everything else is the removal
// command's, reached through RemovalView.
class frm2 : public QWidget, public removal::RemovalView {
    Q_OBJECT

public:
    explicit frm2(QWidget* parent = nullptr);

    // RemovalView
    std::string pathText(int index) const override;
    std::string pathCaption(int index) const override;
    int overwriteWithoutAsking() const override;
    void showInfo(const std::string& text) override;
    removal::Answer askYesNo(const std::string& text) override;

    // What ends the application after the failure report; tests replace it.
    void setFailureExit(std::function<void(int status)> exit) { failureExit_ = std::move(exit); }

    // Control arrays, index 0 for the source and 1 for the result.
    std::array<QLineEdit*, 2> txtBox{};
    std::array<QLabel*, 2> lbl{};
    QCheckBox* chkBox = nullptr;
    QPushButton* cmd = nullptr;

public slots:
    void cmd_Click();

private:
    void reportFailure(const QString& description);

    WaitCursor* waitCursor_ = nullptr;  // set while a run works
    std::function<void(int)> failureExit_;
};

}  // namespace window
