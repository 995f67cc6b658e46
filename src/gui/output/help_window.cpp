#include "gui/output/help_window.h"

#include <QFontDatabase>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/ui/window_setup.h"

namespace orrerion::gui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), txtHelp_(new QPlainTextEdit) {
    SetUpWindow(*this, "Help", "Help");
    NameControls({{txtHelp_, "txtHelp"}});
    txtHelp_->setReadOnly(true);
    txtHelp_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtHelp_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QPushButton* cmdClose = CommandButton(*this, "&Close", "cmdClose", [this] { close(); });
    cmdClose->setToolTip("Close the help (Escape)");
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtHelp_, 1);
    layout->addWidget(cmdClose, 0, Qt::AlignRight);
    resize(640, 560);
}

void HelpWindow::ShowText(const QString& title, const QStringList& lines) {
    setWindowTitle("Help: " + title);
    txtHelp_->setPlainText(lines.join('\n'));
}

QString HelpWindow::text() const { return txtHelp_->toPlainText(); }

}  // namespace orrerion::gui
