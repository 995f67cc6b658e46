#include "gui/app/options_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <filesystem>
#include <system_error>

#include "core/io/file_replace.h"
#include "core/records/options_file.h"
#include "core/records/record_file.h"
#include "gui/app/file_editor_layout.h"
#include "gui/app/locale_order.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"

namespace orrerion::gui {
namespace {

constexpr const char* RestoreFailedMessage =
    "Error in operation. I cannot do what is requested - I don't know why.";

std::filesystem::path OptionsPath(const Shell& shell) {
    return shell.session.calc.ProgramDir / OptionsFileName;
}

}  // namespace

OptionsWindow::OptionsWindow(Shell& shell, QWidget* parent)
    : QWidget(parent), shell_(shell), txtContent_(new QPlainTextEdit) {
    setObjectName("Options");
    setAttribute(Qt::WA_DeleteOnClose);
    const FileEditorButtons editor = LayOutFileEditor(*this, *txtContent_);
    connect(editor.save, &QPushButton::clicked, this, &OptionsWindow::btnSave_Click);
    connect(editor.quit, &QPushButton::clicked, this, &OptionsWindow::btnQuit_Click);
    connect(editor.escape, &QShortcut::activated, this, &OptionsWindow::btnQuit_Click);
    auto* cmdRestoreDefault = new QPushButton("Restore Default Settings");
    cmdRestoreDefault->setObjectName("cmdRestoreDefault");
    connect(cmdRestoreDefault, &QPushButton::clicked, this, &OptionsWindow::cmdRestoreDefault_Click);
    editor.row->addStretch();
    editor.row->addWidget(cmdRestoreDefault);
    resize(700, 640);

    LoadText();
    connect(txtContent_, &QPlainTextEdit::textChanged, this, [this] { changed_ = true; });
    setWindowTitle("Edit: OPTIONS.OPT");
}

bool OptionsWindow::LoadText() {
    const EditorText loadedText = LoadEditorText(OptionsPath(shell_));
    if (loadedText.problem) return false;
    txtContent_->setPlainText(QString::fromStdString(loadedText.text));
    loaded_ = true;
    changed_ = false;
    return true;
}

void OptionsWindow::btnSave_Click() {
    const WriteResult written =
        SaveEditorText(OptionsPath(shell_), txtContent_->toPlainText().toStdString());
    if (!written.ok) {
        shell_.dialogs().MessageBox(this, QString::fromStdString(written.message), "Warning!",
                                    MessageIcon::Information);
        return;
    }
    changed_ = false;
    for (const OptionsProblem& problem : LoadOptions(OptionsPath(shell_), shell_.session.calc.options)) {
        shell_.dialogs().MessageBox(this, QString::fromStdString(problem.message), "Warning!",
                                    MessageIcon::Information);
    }
    shell_.session.WindowTitle = BuildWindowTitle();
}

void OptionsWindow::btnQuit_Click() { close(); }

void OptionsWindow::cmdRestoreDefault_Click() {
    bool ok = RestoreDefaultOptions(shell_.session.calc.ProgramDir).ok;
    if (ok) {
        txtContent_->clear();
        ok = LoadText();
    }
    if (!ok) {
        shell_.dialogs().MessageBox(this, RestoreFailedMessage, "Warning!",
                                    MessageIcon::Information);
    }
}

void OptionsWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *txtContent_);
}

}  // namespace orrerion::gui
