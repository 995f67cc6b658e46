#include "gui/ui/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpacerItem>

namespace orrerion::gui {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Critical: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int CaptionWidth(const QString& title) {
    // The title bar's font is the window manager's; the application's bold font is as wide as
    // any it commonly uses. The allowance holds the window icon and the title bar's buttons.
    constexpr int TitleBarAllowance = 150;
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + TitleBarAllowance;
}

int QtDialogs::MessageBox(QWidget* parent, const QString& text, const QString& title,
                          MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(QtIcon(icon), title, text, QMessageBox::NoButton, parent);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // A message box sizes itself to its text; a spacer across its grid keeps it as wide as its
    // caption, which the title bar would otherwise cut ("Accept... ct data").
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(CaptionWidth(title), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    // A message shown during a long step must not inherit its hourglass.
    const bool busy = busyDepth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    if (buttons == MessageButtons::YesNo) return answer == QMessageBox::Yes ? AnswerYes : AnswerNo;
    return AnswerOK;
}

QString QtDialogs::InputBox(QWidget* parent, const QString& prompt, const QString& title,
                            const QString& defaultText) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // The dialog's layout sets its size from its contents: the text box carries the width that
    // keeps the caption whole ("Numb... f Days" otherwise).
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMinimumWidth(CaptionWidth(title));
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.textValue();
}

QString QtDialogs::SaveFileName(QWidget* parent, const SaveDialogRequest& request) {
    QFileDialog dialog(parent, request.title, request.initialDir, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool QtDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtDialogs::ExecModal(QDialog& dialog) { return dialog.exec(); }

void QtDialogs::Beep() { QApplication::beep(); }

void QtDialogs::SetBusyPointer(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

}  // namespace orrerion::gui
