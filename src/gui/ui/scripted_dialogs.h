#pragma once
// A stand-in for the real dialogs, for tests: records every message, prompt and request, and
// answers from queues filled by the test. A question with an empty queue is recorded in
// `unanswered` and gets the cautious answer (No, Cancel), so a test can tell it was not expected.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "gui/ui/dialogs.h"

namespace orrerion::gui {

class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        MessageIcon icon = MessageIcon::Information;
        MessageButtons buttons = MessageButtons::Ok;
    };
    struct Prompt {
        QString prompt;
        QString title;
        QString defaultText;
    };

    int MessageBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                   MessageButtons buttons) override;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString SaveFileName(QWidget* parent, const SaveDialogRequest& request) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    int ExecModal(QDialog& dialog) override;
    void Beep() override { ++beeps; }
    void SetBusyPointer(bool busy) override { busy ? ++busyCalls : --busyCalls; }

    // The titles and texts shown so far, in order; clears the record.
    std::vector<Shown> TakeMessages();

    // What was shown and asked.
    std::vector<Shown> messages;
    std::vector<Prompt> prompts;
    std::vector<SaveDialogRequest> saveRequests;
    QStringList unanswered;
    int beeps = 0;
    int busyCalls = 0;  // hourglass on minus off; 0 when every hourglass was restored
    int printerSetUps = 0;

    // The answers, used front first.
    std::deque<int> yesNoAnswers;          // AnswerYes or AnswerNo
    std::deque<QString> inputAnswers;      // the input box's text ("" is Cancel)
    std::deque<QString> saveAnswers;       // the chosen file ("" is Cancel)
    QString printToPdf;                    // printing goes to this PDF file; empty cancels
    // Run in place of a modal window's event loop: it may fill and press the window's controls,
    // and returns the window's result. Without one the window is rejected.
    std::deque<std::function<int(QDialog&)>> modalActions;
};

}  // namespace orrerion::gui
