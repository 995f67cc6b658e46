#include "gui/output/data_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <filesystem>

#include "core/base/output_lines.h"
#include "core/io/pages.h"
#include "gui/ui/sunken_frame.h"
#include "gui/ui/window_requests.h"
#include "gui/output/data_presenter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

constexpr const char* MissingFontMessage =
    "You must have the COURIER NEW font installed in Windows. Please add this font through "
    "CONTROL PANEL - FONTS.";
constexpr const char* ClearedMessage = "All data cleared from buffer.";
constexpr const char* NoDataToWriteMessage = "No data to write to file.";
constexpr const char* NoDataToPrintMessage = "No data to print.";

}  // namespace

DataWindow::DataWindow(WindowRequests& requests, Dialogs& dialogs, Calculation& calc,
                       const std::string& windowTitle, DataWindowState& state, QWidget* parent)
    : QMainWindow(parent),
      requests_(requests),
      dialogs_(dialogs),
      calc_(calc),
      windowTitle_(windowTitle),
      state_(state),
      Text1_(new QPlainTextEdit) {
    SetUpWindow(*this, "OutputD1");
    Text1_->setObjectName("Text1");
    Text1_->setReadOnly(true);
    Text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Report lines are fixed-width columns: they scroll sideways rather than wrap.
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1_->setContextMenuPolicy(Qt::NoContextMenu);
    Text1_->installEventFilter(this);
    Text1_->viewport()->installEventFilter(this);
    setCentralWidget(Text1_);
    BuildMenus();
    setWindowTitle(QString::fromStdString(windowTitle_) + "Data");

    // The remembered place and size; the resize and move handlers must not record the steps.
    Positioning_ = true;
    const QRect& twips = state_.placeTwips;
    move(Pixels(twips.left()), Pixels(twips.top()));
    resize(Pixels(twips.width()), Pixels(twips.height()));
    Positioning_ = false;

    ApplyDataFont();
    if (!FixedPitchFontAvailable()) {
        dialogs_.MessageBox(this, MissingFontMessage, "Information!",
                                    MessageIcon::Exclamation);
    }
    EnableFontSizeItems();
    Text1_->clear();
}

void DataWindow::BuildMenus() {
    auto item = [this](QMenu* menu, const char* caption, const char* name, QKeySequence key,
                       void (DataWindow::*handler)()) {
        QAction* action = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        action->setObjectName(name);
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* mnuFile = menuBar()->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    item(mnuFile, "&Save", "mnuFileSave", QKeySequence(Qt::CTRL | Qt::Key_S),
         &DataWindow::mnuFileSave_Click);
    item(mnuFile, "Save &As", "mnuFileSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &DataWindow::mnuFileSaveAs_Click);

    QMenu* mnuFonts = menuBar()->addMenu("F&ont");
    mnuFonts->setObjectName("mnuFonts");
    mnuFontsIncrease_ = item(mnuFonts, "&Increase", "mnuFontsIncrease", {},
                             &DataWindow::mnuFontsIncrease_Click);
    // Ctrl+= is the same key as Ctrl++ without Shift on most keyboards.
    mnuFontsIncrease_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                     QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    mnuFontsDecrease_ = item(mnuFonts, "&Decrease", "mnuFontsDecrease",
                             QKeySequence(Qt::CTRL | Qt::Key_Minus),
                             &DataWindow::mnuFontsDecrease_Click);
    mnuFontsBold_ = item(mnuFonts, "&Bold", "mnuFontsBold", QKeySequence(Qt::CTRL | Qt::Key_B),
                         &DataWindow::mnuFontsBold_Click);
    mnuFontsBold_->setCheckable(true);
    mnuFontsItalic_ = item(mnuFonts, "I&talic", "mnuFontsItalic",
                           QKeySequence(Qt::CTRL | Qt::Key_I), &DataWindow::mnuFontsItalic_Click);
    mnuFontsItalic_->setCheckable(true);

    item(nullptr, "&Clear all data", "mnuClearBuffer", {}, &DataWindow::mnuClearBuffer_Click);
    item(nullptr, "&Print page", "mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P),
         &DataWindow::mnuPrint_Click);
    item(nullptr, "Print &data", "mnuPrintData", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
         &DataWindow::mnuPrintData_Click);
    // F4 is the main window's shortcut for the same window, valid here too.
    item(nullptr, "&Timeline", "mnuTimeline", {}, &DataWindow::mnuTimeline_Click);
    item(nullptr, "&Help", "mnuHelp", QKeySequence(Qt::Key_F1), &DataWindow::mnuHelp_Click);
}

void DataWindow::ShowData() {
    OutputBuffers& out = calc_.out;
    if (!isMinimized() && BlankLineBeforeShowing(out)) AddBlankLine(out);
    ShowCurrentText();
    show();
}

void DataWindow::ShowCurrentText() {
    std::string text;
    for (std::string_view line : calc_.out.DataLines) {
        text += line;
        text += '\n';
    }
    Text1_->setPlainText(QString::fromStdString(text));
    setWindowTitle(QString::fromStdString(windowTitle_) + "Data");
}

void DataWindow::ApplyDataFont() {
    const DataFont& stored = state_.font;
    QFont font = FixedPitchFont(stored.size);
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    Text1_->setFont(font);
    mnuFontsBold_->setChecked(stored.bold);
    mnuFontsItalic_->setChecked(stored.italic);
}

void DataWindow::EnableFontSizeItems() {
    mnuFontsDecrease_->setEnabled(FontCanShrink(state_.font.size));
    mnuFontsIncrease_->setEnabled(FontCanGrow(state_.font.size));
}

void DataWindow::RefreshFont() {
    ApplyDataFont();
    if (!HasTextToShow(calc_.out)) return;
    BusyPointer busy(dialogs_);
    ShowData();
    EnableFontSizeItems();
}

void DataWindow::StepFontSize(bool larger) {
    const std::optional<double> size = NextFontSize(state_.font.size, state_.fontStep, larger);
    if (!size) return;
    state_.font.size = *size;
    RefreshFont();
}

void DataWindow::mnuFontsIncrease_Click() { StepFontSize(true); }

void DataWindow::mnuFontsDecrease_Click() { StepFontSize(false); }

void DataWindow::mnuFontsBold_Click() {
    state_.font.bold = !state_.font.bold;
    RefreshFont();
}

void DataWindow::mnuFontsItalic_Click() {
    state_.font.italic = !state_.font.italic;
    RefreshFont();
}

void DataWindow::mnuClearBuffer_Click() {
    // Only the report buffer: the text on show stays until the next listing.
    ResetOutputLines(calc_.out);
    dialogs_.MessageBox(this, ClearedMessage, "Information!", MessageIcon::Exclamation);
}

void DataWindow::mnuFileSave_Click() { Save(false); }

void DataWindow::mnuFileSaveAs_Click() { Save(true); }

void DataWindow::Save(bool saveAs) {
    switch (DataSaveStep(calc_.out, state_.DataSaveFile, saveAs)) {
        case SaveStep::NothingToWrite:
            dialogs_.MessageBox(this, NoDataToWriteMessage, "Information", MessageIcon::Exclamation);
            return;
        case SaveStep::WriteSaveFile:
            WriteDataFileTo(state_.DataSaveFile);
            return;
        case SaveStep::AskForFile:
            break;
    }
    SaveDialogRequest request;
    request.title = "Save As";
    request.initialDir = QString::fromStdString(calc_.ProgramDir.string());
    request.proposedName = QString::fromStdString(ProposedDataFileName(calc_.chart.ChartName));
    request.defaultSuffix = "doc";
    request.filter = "Data Files (*.DOC)";
    const QString chosen = dialogs_.SaveFileName(this, request);
    if (chosen.isEmpty()) return;
    state_.DataSaveFile = chosen;
    WriteDataFileTo(chosen);
}

void DataWindow::WriteDataFileTo(const QString& path) {
    const WriteResult written = WriteDataFile(std::filesystem::path(path.toStdString()),
                                              calc_.out.OutputLines.ToVector(),
                                              calc_.options[Option::SavedPageLength]);
    if (!written.ok) {
        dialogs_.MessageBox(this, QString::fromStdString(written.message), "Warning!",
                            MessageIcon::Information);
    }
}

void DataWindow::mnuPrint_Click() {
    if (const auto lines = LinesToPrint(calc_.out, false)) SendToPrintWindow(*lines);
}

void DataWindow::mnuPrintData_Click() {
    const auto lines = LinesToPrint(calc_.out, true);
    if (!lines) {
        dialogs_.MessageBox(this, NoDataToPrintMessage, "Information", MessageIcon::Exclamation);
        return;
    }
    SendToPrintWindow(*lines);
}

void DataWindow::SendToPrintWindow(const std::vector<std::string>& lines) {
    BusyPointer busy(dialogs_);
    const WriteResult written = WritePrintBuffer(PrintBufferPath(calc_.ProgramDir), lines);
    if (!written.ok) {
        dialogs_.MessageBox(this, QString::fromStdString(written.message), "Warning!",
                            MessageIcon::Information);
        return;
    }
    requests_.OpenPrintWindow();
}

void DataWindow::mnuHelp_Click() { requests_.ShowHelpText("OUTPUTD1.HLP"); }

void DataWindow::mnuTimeline_Click() { requests_.OpenTimeline(); }

bool DataWindow::SelectListingLine(const QString& heading, const QString& line) {
    QTextDocument* document = Text1_->document();
    const QTextCursor title = document->find(heading, 0);
    if (title.isNull()) return false;
    for (QTextCursor at = document->find(line, title); !at.isNull(); at = document->find(line, at)) {
        // The whole line, indented by two blanks as the listings are.
        const QString text = at.block().text();
        if (text != "  " + line) continue;
        QTextCursor select(at.block());
        select.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Text1_->setTextCursor(select);
        Text1_->centerCursor();
        return true;
    }
    return false;
}

bool DataWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        requests_.FocusMainWindow(true);
        return true;
    }
    if (watched == Text1_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        requests_.FocusMainWindow(true);
    }
    return QMainWindow::eventFilter(watched, event);
}

void DataWindow::RecordLayout() {
    if (Positioning_ || isMinimized()) return;
    state_.placeTwips =
        QRect(pos().x() * TwipsPerPixel, pos().y() * TwipsPerPixel, width() * TwipsPerPixel,
              height() * TwipsPerPixel);
}

void DataWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    RecordLayout();
}

void DataWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RecordLayout();
}

}  // namespace orrerion::gui
