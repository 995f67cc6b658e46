#include "gui/app/options_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>
#include <system_error>

#include "gui/ui/file_editor_layout.h"
#include "gui/app/locale_order.h"
#include "gui/app/options_presenter.h"
#include "gui/ui/sunken_frame.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

constexpr const char* RestoreFailedMessage =
    "Error in operation. I cannot do what is requested - I don't know why.";

}  // namespace

OptionsWindow::OptionsWindow(Dialogs& dialogs, Calculation& calc, std::string& windowTitle,
                             QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      calc_(calc),
      windowTitle_(windowTitle),
      txtContent_(new QPlainTextEdit) {
    SetUpWindow(*this, "Options");
    QHBoxLayout* buttons =
        LayOutFileEditor(*this, *txtContent_, [this] { btnSave_Click(); }, [this] { btnQuit_Click(); });
    auto* cmdRestoreDefault = new QPushButton("Restore Default Settings");
    cmdRestoreDefault->setObjectName("cmdRestoreDefault");
    connect(cmdRestoreDefault, &QPushButton::clicked, this, &OptionsWindow::cmdRestoreDefault_Click);
    buttons->addStretch();
    buttons->addWidget(cmdRestoreDefault);
    resize(700, 640);

    LoadText(OptionsEditorText(calc_.ProgramDir));
    connect(txtContent_, &QPlainTextEdit::textChanged, this, [this] { changed_ = true; });
    setWindowTitle("Edit: OPTIONS.OPT");
}

bool OptionsWindow::LoadText(const std::optional<std::string>& text) {
    if (!text) return false;
    txtContent_->setPlainText(QString::fromStdString(*text));
    loaded_ = true;
    changed_ = false;
    return true;
}

void OptionsWindow::btnSave_Click() {
    const OptionsSaved saved =
        SaveOptionsText(calc_.ProgramDir, txtContent_->toPlainText().toStdString(), calc_.options);
    if (saved.written) changed_ = false;
    for (const std::string& message : saved.messages) {
        dialogs_.MessageBox(this, QString::fromStdString(message), "Warning!",
                            MessageIcon::Information);
    }
    if (saved.written) windowTitle_ = BuildWindowTitle();
}

void OptionsWindow::btnQuit_Click() { close(); }

void OptionsWindow::cmdRestoreDefault_Click() {
    const OptionsRestored restored = RestoreOptionsText(calc_.ProgramDir);
    if (restored.restored) txtContent_->clear();
    if (!LoadText(restored.text)) {
        dialogs_.MessageBox(this, RestoreFailedMessage, "Warning!", MessageIcon::Information);
    }
}

void OptionsWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *txtContent_);
}

}  // namespace orrerion::gui
