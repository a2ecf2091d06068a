#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "removal/removal_command.h"

namespace testing_support {

// A window stand-in: fields and check box set by the test, every message
// recorded in order, questions answered from a queue (No when it runs dry,
// so that a forgotten answer never overwrites anything).
class FakeView : public removal::RemovalView {
public:
    std::string texts[2] = {"ddd.txt", "ddd_new.txt"};
    int checkState = 0;
    std::deque<removal::Answer> answers;
    // Runs when a question is asked, before it is answered.
    std::function<void()> onQuestion;

    // "info: <text>" or "ask: <text>", in the order shown.
    std::vector<std::string> messages;
    mutable int pathReads = 0;

    std::string pathText(int index) const override {
        ++pathReads;
        return texts[index];
    }
    std::string pathCaption(int index) const override { return index == 0 ? "Исходный файл :" : "Итоговый файл :"; }
    int overwriteWithoutAsking() const override { return checkState; }
    void showInfo(const std::string& text) override { messages.push_back("info: " + text); }
    removal::Answer askYesNo(const std::string& text) override {
        messages.push_back("ask: " + text);
        if (onQuestion) onQuestion();
        if (answers.empty()) return removal::Answer::No;
        const removal::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace testing_support
