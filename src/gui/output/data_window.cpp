#include "gui/output/data_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <filesystem>

#include "core/base/output_lines.h"
#include "core/io/pages.h"
#include "gui/app/main_window.h"
#include "gui/app/shell.h"
#include "gui/app/sunken_frame.h"
#include "gui/output/print_window.h"
#include "gui/ui/dialogs.h"

namespace orrerion::gui {
namespace {

constexpr const char* MissingFontMessage =
    "You must have the COURIER NEW font installed in Windows. Please add this font through "
    "CONTROL PANEL - FONTS.";
constexpr const char* ClearedMessage = "All data cleared from buffer.";
constexpr const char* NoDataToWriteMessage = "No data to write to file.";
constexpr const char* NoDataToPrintMessage = "No data to print.";

// The data font's size limits: Increase works below the first, Decrease above the second.
constexpr double LargestFontSize = 12.0;
constexpr double SmallestFontSize = 8.0;

// A buffer's count (the index of its last line) is above 0.
bool HasMoreThanFirstLine(const LineList& lines) { return lines.size() > 1; }

// A buffer holds something to show or print: more than one line, or one that is not empty.
bool HasText(const LineList& lines) {
    return lines.size() > 1 || (lines.size() == 1 && !lines.front().empty());
}

}  // namespace

DataWindow::DataWindow(Shell& shell, QWidget* parent)
    : QMainWindow(parent), shell_(shell), Text1_(new QPlainTextEdit) {
    setObjectName("OutputD1");
    setAttribute(Qt::WA_DeleteOnClose);
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
    setWindowTitle(QString::fromStdString(shell_.session.WindowTitle) + "Data");

    // The remembered place and size; the resize and move handlers must not record the steps.
    Positioning_ = true;
    const QRect& twips = shell_.session.dataWindowTwips;
    move(Pixels(twips.left()), Pixels(twips.top()));
    resize(Pixels(twips.width()), Pixels(twips.height()));
    Positioning_ = false;

    ApplyDataFont();
    if (!FixedPitchFontAvailable()) {
        shell_.dialogs().MessageBox(this, MissingFontMessage, "Information!",
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
    item(nullptr, "&Help", "mnuHelp", QKeySequence(Qt::Key_F1), &DataWindow::mnuHelp_Click);
}

void DataWindow::ShowData() {
    OutputBuffers& out = shell_.session.calc.out;
    if (!isMinimized() && HasMoreThanFirstLine(out.OutputLines)) AddBlankLine(out);
    std::string text;
    for (std::string_view line : out.DataLines) {
        text += line;
        text += '\n';
    }
    Text1_->setPlainText(QString::fromStdString(text));
    setWindowTitle(QString::fromStdString(shell_.session.WindowTitle) + "Data");
    show();
}

void DataWindow::ApplyDataFont() {
    const DataFont& stored = shell_.session.dataFont;
    QFont font = FixedPitchFont(stored.size);
    font.setBold(stored.bold);
    font.setItalic(stored.italic);
    Text1_->setFont(font);
    mnuFontsBold_->setChecked(stored.bold);
    mnuFontsItalic_->setChecked(stored.italic);
}

void DataWindow::EnableFontSizeItems() {
    const double size = shell_.session.dataFont.size;
    mnuFontsDecrease_->setEnabled(size > SmallestFontSize);
    mnuFontsIncrease_->setEnabled(size < LargestFontSize);
}

void DataWindow::RefreshFont() {
    if (!HasText(shell_.session.calc.out.DataLines)) return;
    BusyPointer busy(shell_.dialogs());
    ShowData();
    EnableFontSizeItems();
}

void DataWindow::mnuFontsIncrease_Click() {
    DataFont& stored = shell_.session.dataFont;
    if (stored.size >= LargestFontSize) return;
    stored.size += shell_.session.fontStep / 2;
    ApplyDataFont();
    RefreshFont();
}

void DataWindow::mnuFontsDecrease_Click() {
    DataFont& stored = shell_.session.dataFont;
    if (stored.size <= SmallestFontSize) return;
    stored.size -= shell_.session.fontStep / 2;
    ApplyDataFont();
    RefreshFont();
}

void DataWindow::mnuFontsBold_Click() {
    shell_.session.dataFont.bold = !shell_.session.dataFont.bold;
    ApplyDataFont();
    RefreshFont();
}

void DataWindow::mnuFontsItalic_Click() {
    shell_.session.dataFont.italic = !shell_.session.dataFont.italic;
    ApplyDataFont();
    RefreshFont();
}

void DataWindow::mnuClearBuffer_Click() {
    // Only the report buffer: the text on show stays until the next listing.
    ResetOutputLines(shell_.session.calc.out);
    shell_.dialogs().MessageBox(this, ClearedMessage, "Information!", MessageIcon::Exclamation);
}

void DataWindow::mnuFileSave_Click() {
    if (!HasMoreThanFirstLine(shell_.session.calc.out.OutputLines)) {
        shell_.dialogs().MessageBox(this, NoDataToWriteMessage, "Information",
                                    MessageIcon::Exclamation);
        return;
    }
    if (shell_.session.DataSaveFile.isEmpty()) {
        mnuFileSaveAs_Click();
        return;
    }
    WriteDataFileTo(shell_.session.DataSaveFile);
}

void DataWindow::mnuFileSaveAs_Click() {
    if (!HasMoreThanFirstLine(shell_.session.calc.out.OutputLines)) {
        shell_.dialogs().MessageBox(this, NoDataToWriteMessage, "Information",
                                    MessageIcon::Exclamation);
        return;
    }
    SaveDialogRequest request;
    request.title = "Save As";
    request.initialDir = QString::fromStdString(shell_.session.calc.ProgramDir.string());
    request.proposedName =
        QString::fromStdString(ProposedDataFileName(shell_.session.calc.chart.ChartName));
    request.defaultSuffix = "doc";
    request.filter = "Data Files (*.DOC)";
    const QString chosen = shell_.dialogs().SaveFileName(this, request);
    if (chosen.isEmpty()) return;
    shell_.session.DataSaveFile = chosen;
    WriteDataFileTo(chosen);
}

void DataWindow::WriteDataFileTo(const QString& path) {
    const Calculation& calc = shell_.session.calc;
    const WriteResult written = WriteDataFile(std::filesystem::path(path.toStdString()),
                                              calc.out.OutputLines.ToVector(),
                                              calc.options[Option::SavedPageLength]);
    if (!written.ok) {
        shell_.dialogs().MessageBox(this, QString::fromStdString(written.message), "Warning!",
                                    MessageIcon::Information);
    }
}

void DataWindow::mnuPrint_Click() {
    const LineList& lines = shell_.session.calc.out.DataLines;
    if (!HasText(lines)) return;
    SendToPrintWindow(lines.ToVector());
}

void DataWindow::mnuPrintData_Click() {
    const LineList& lines = shell_.session.calc.out.OutputLines;
    if (!HasMoreThanFirstLine(lines)) {
        shell_.dialogs().MessageBox(this, NoDataToPrintMessage, "Information",
                                    MessageIcon::Exclamation);
        return;
    }
    SendToPrintWindow(lines.ToVector());
}

void DataWindow::SendToPrintWindow(const std::vector<std::string>& lines) {
    BusyPointer busy(shell_.dialogs());
    const WriteResult written =
        WritePrintBuffer(PrintBufferPath(shell_.session.calc.ProgramDir), lines);
    if (!written.ok) {
        shell_.dialogs().MessageBox(this, QString::fromStdString(written.message), "Warning!",
                                    MessageIcon::Information);
        return;
    }
    // A print window still open from before shows an older text: a fresh one takes its place.
    // The print window belongs to the main window, so it outlives this window.
    MainWindow& main = shell_.main();
    delete main.findChild<PrintWindow*>("PrntFile", Qt::FindDirectChildrenOnly);
    auto* window = new PrintWindow(shell_, &main);
    if (!window->Load()) {
        delete window;
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void DataWindow::mnuHelp_Click() { shell_.ShowHelpText("OUTPUTD1.HLP"); }

void DataWindow::GiveMainWindowFocus() {
    MainWindow& main = shell_.main();
    main.raise();
    main.activateWindow();
    main.setFocus();
}

bool DataWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        GiveMainWindowFocus();
        return true;
    }
    if (watched == Text1_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        GiveMainWindowFocus();
    }
    return QMainWindow::eventFilter(watched, event);
}

void DataWindow::RecordLayout() {
    if (Positioning_ || isMinimized()) return;
    shell_.session.dataWindowTwips =
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
