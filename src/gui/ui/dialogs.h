#pragma once
// The thin layer between the windows and Qt's standard dialogs: message boxes, the input box, the
// save dialog, the printer dialog, modal windows, the beep and the hourglass pointer. Windows reach
// these only through a Dialogs object, so tests can replace it with ScriptedDialogs.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/messages.h"

class QDialog;
class QPrinter;
class QWidget;

namespace orrerion::gui {

// Message box answers: OK, Yes and No.
inline constexpr int AnswerOK = 1;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;

enum class MessageButtons { Ok, YesNo };

struct SaveDialogRequest {
    QString title;
    QString initialDir;
    QString proposedName;   // file name without folder
    QString defaultSuffix;  // without the dot
    QString filter;         // "Data Files (*.DOC)"
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a message box; returns AnswerOK, AnswerYes or AnswerNo.
    virtual int MessageBox(QWidget* parent, const QString& text, const QString& title,
                           MessageIcon icon, MessageButtons buttons = MessageButtons::Ok) = 0;
    // Asks for one line of text; returns the empty text on Cancel.
    virtual QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // The save dialog (asks before overwriting, needs an existing folder); empty on Cancel.
    virtual QString SaveFileName(QWidget* parent, const SaveDialogRequest& request) = 0;
    // Lets the person choose and set up the printer; false on Cancel.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
    // Shows a window modally and returns its result when it closes.
    virtual int ExecModal(QDialog& dialog) = 0;
    virtual void Beep() = 0;
    // Hourglass pointer on (true) or back to the normal pointer (false).
    virtual void SetBusyPointer(bool busy) = 0;

    // A message from the core, shown with its own title and icon.
    int Show(QWidget* parent, const Message& message,
             MessageButtons buttons = MessageButtons::Ok) {
        return MessageBox(parent, QString::fromStdString(message.text),
                          QString::fromStdString(message.title), message.icon, buttons);
    }
};

// The hourglass pointer for the length of a command: on when made, off when it goes out of scope.
class BusyPointer {
public:
    explicit BusyPointer(Dialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetBusyPointer(true); }
    ~BusyPointer() { dialogs_.SetBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Dialogs& dialogs_;
};

// The width a box needs for its title bar to show `title` whole: the caption in the application's
// bold font and room for the title bar's icon and buttons. The real message and input boxes are
// made at least this wide.
int CaptionWidth(const QString& title);

// The real dialogs.
class QtDialogs final : public Dialogs {
public:
    int MessageBox(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                   MessageButtons buttons) override;
    QString InputBox(QWidget* parent, const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    QString SaveFileName(QWidget* parent, const SaveDialogRequest& request) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    int ExecModal(QDialog& dialog) override;
    void Beep() override;
    void SetBusyPointer(bool busy) override;

private:
    int busyDepth_ = 0;
};

// Sends core messages to a Dialogs object as message boxes, and keeps the field of the first
// message about an input field, for its window to select once the boxes are read.
class DialogReporter final : public Reporter {
public:
    DialogReporter(Dialogs& dialogs, QWidget* parent) : dialogs_(dialogs), parent_(parent) {}
    void Report(const Message& message) override { dialogs_.Show(parent_, message); }
    void ReportField(const Message& message, FieldRef field) override {
        if (!firstField_) firstField_ = field;
        Report(message);
    }
    // The field of the first message about a field; none when there was none.
    const std::optional<FieldRef>& firstField() const { return firstField_; }

private:
    Dialogs& dialogs_;
    QWidget* parent_;
    std::optional<FieldRef> firstField_;
};

}  // namespace orrerion::gui
