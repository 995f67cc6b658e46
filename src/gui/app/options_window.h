#pragma once
// The Options window: OPTIONS.OPT as plain text, with Save, Quit and Restore Default Settings.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace orrerion::gui {

class Shell;

class OptionsWindow : public QWidget {
    Q_OBJECT
public:
    explicit OptionsWindow(Shell& shell, QWidget* parent = nullptr);

    bool loaded() const { return loaded_; }
    bool changed() const { return changed_; }

    void btnSave_Click();
    void btnQuit_Click();
    void cmdRestoreDefault_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Reads OPTIONS.OPT into the editor; false when it cannot be read.
    bool LoadText();

    Shell& shell_;
    QPlainTextEdit* txtContent_;
    bool loaded_ = false;
    bool changed_ = false;
};

}  // namespace orrerion::gui
