#include "gui/ui/scripted_dialogs.h"

#include <QDialog>
#include <QPrinter>

namespace orrerion::gui {

int ScriptedDialogs::MessageBox(QWidget*, const QString& text, const QString& title,
                                MessageIcon icon, MessageButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (buttons == MessageButtons::Ok) return AnswerOK;
    if (yesNoAnswers.empty()) {
        unanswered << "question: " + title;
        return AnswerNo;
    }
    const int answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::InputBox(QWidget*, const QString& prompt, const QString& title,
                                  const QString& defaultText) {
    prompts.push_back({prompt, title, defaultText});
    if (inputAnswers.empty()) {
        unanswered << "input box: " + title;
        return {};
    }
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::SaveFileName(QWidget*, const SaveDialogRequest& request) {
    saveRequests.push_back(request);
    if (saveAnswers.empty()) {
        unanswered << "save dialog: " + request.title;
        return {};
    }
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::SetUpPrinter(QWidget*, QPrinter& printer) {
    ++printerSetUps;
    if (printToPdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    return true;
}

int ScriptedDialogs::ExecModal(QDialog& dialog) {
    if (modalActions.empty()) {
        unanswered << "modal window: " + dialog.objectName();
        dialog.reject();
        return QDialog::Rejected;
    }
    auto action = std::move(modalActions.front());
    modalActions.pop_front();
    return action(dialog);
}

std::vector<ScriptedDialogs::Shown> ScriptedDialogs::TakeMessages() {
    std::vector<Shown> taken;
    taken.swap(messages);
    return taken;
}

}  // namespace orrerion::gui
