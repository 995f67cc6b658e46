#pragma once
// The Options window: OPTIONS.OPT as plain text, with Save, Quit and Restore Default Settings.
#include <QWidget>
#include <optional>
#include <string>

#include "core/run/calculation.h"

class QPlainTextEdit;
class QPushButton;

namespace orrerion::gui {

class Dialogs;

class OptionsWindow : public QWidget {
    Q_OBJECT
public:
    // Edits OPTIONS.OPT of calc.ProgramDir; Save reads calc.options again from it and renews
    // `windowTitle`.
    OptionsWindow(Dialogs& dialogs, Calculation& calc, std::string& windowTitle,
                  QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }
    bool changed() const { return changed_; }

    void btnSave_Click();
    void btnQuit_Click();
    void cmdRestoreDefault_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Puts the text read from OPTIONS.OPT into the editor; false (editor untouched) for nothing.
    bool LoadText(const std::optional<std::string>& text);

    Dialogs& dialogs_;
    Calculation& calc_;
    std::string& windowTitle_;
    QPlainTextEdit* txtContent_;
    bool loaded_ = false;
    bool changed_ = false;
};

}  // namespace orrerion::gui
