#include "gui/records/list_editor_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/records/record_file.h"
#include "gui/ui/file_editor_layout.h"
#include "gui/ui/sunken_frame.h"
#include "gui/records/list_window_layout.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {

ListEditorWindow::ListEditorWindow(QWidget& owner, WindowRequests& requests, Dialogs& dialogs,
                                   const char* objectName, std::filesystem::path path)
    : QWidget(&owner, Qt::Window),
      requests_(requests),
      dialogs_(dialogs),
      path_(std::move(path)),
      txtContent_(new QPlainTextEdit) {
    SetUpWindow(*this, objectName);
    QHBoxLayout* buttons =
        LayOutFileEditor(*this, *txtContent_, [this] { btnSave_Click(); }, [this] { btnQuit_Click(); });
    auto* hint = new QLabel("Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste.");
    hint->setObjectName("Label1");
    buttons->addSpacing(16);
    buttons->addWidget(hint);
    buttons->addStretch();
    resize(660, 520);
    move(EditorWindowsPosition);

    dialogs_.SetBusyPointer(true);
    const EditorText loaded = LoadEditorText(path_);
    if (!loaded.problem) txtContent_->setPlainText(QString::fromStdString(loaded.text));
    setWindowTitle("Edit: " + QString::fromStdString(path_.string()));
    dialogs_.SetBusyPointer(false);
    if (loaded.problem) dialogs_.Show(this, *loaded.problem);
}

void ListEditorWindow::btnSave_Click() {
    const std::string text = txtContent_->toPlainText().toStdString();
    const WriteResult written = SaveEditorText(path_, text);
    if (!written.ok) {
        dialogs_.MessageBox(this, QString::fromStdString(written.message), "Error!", MessageIcon::Critical);
        return;
    }
    // Saved as typed, but the list will not show every record: say where it stops and why.
    if (const std::optional<std::string> note = ListEndNote(text)) {
        dialogs_.MessageBox(this, QString::fromStdString(*note), "Warning!", MessageIcon::Exclamation);
    }
    Saved();
}

void ListEditorWindow::btnQuit_Click() {
    close();
    ReloadList();
}

void ListEditorWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *txtContent_);
}

}  // namespace orrerion::gui
