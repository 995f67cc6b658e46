#include "gui/output/print_window.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/io/line_reader.h"
#include "core/io/pages.h"
#include "core/records/record_file.h"
#include "gui/ui/sunken_frame.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

constexpr const char* NoDataToPrintMessage = "No data to print.";

}  // namespace

PrintedJob PrintLines(QPrinter& printer, const std::vector<std::string>& lines, int linesPerPage,
                      bool longLineFound) {
    PrintedJob job;
    job.font = FixedPitchFont(PrintFontPoints(longLineFound));
    QPainter painter;
    if (!painter.begin(&printer)) return job;
    job.started = true;
    painter.setFont(job.font);
    const QFontMetricsF metrics(job.font, &printer);

    QStringList texts;
    qreal widest = 0;
    for (const std::string& line : lines) {
        texts << QString::fromStdString(line);
        widest = std::max(widest, metrics.horizontalAdvance(texts.back()));
    }

    // The printable area in device pixels; the painter's origin is its top left corner.
    const QRectF area = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale = widest > area.width() ? area.width() / widest : 1.0;
    const qreal height = area.height() / scale;
    const qreal typeSize = job.font.pointSizeF() * printer.resolution() / 72.0;
    qreal spacing = metrics.lineSpacing();
    if (linesPerPage > 0) spacing = std::min(spacing, std::max(typeSize, height / linesPerPage));
    const int fitting = std::max(1, static_cast<int>(std::floor(height / spacing + 1e-6)));
    job.linesPerPage = linesPerPage > 0 ? std::min(linesPerPage, fitting) : fitting;

    painter.scale(scale, scale);
    const std::vector<std::vector<std::string>> pages = SplitIntoPages(lines, job.linesPerPage);
    int lineIndex = 0;
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) printer.newPage();
        for (std::size_t row = 0; row < pages[page].size(); ++row) {
            const qreal baseline = metrics.ascent() + static_cast<qreal>(row) * spacing;
            painter.drawText(QPointF(0, baseline), texts[lineIndex++]);
        }
    }
    job.pages = static_cast<int>(std::max<std::size_t>(pages.size(), 1));
    painter.end();
    return job;
}

PrintWindow::PrintWindow(Dialogs& dialogs, const Calculation& calc, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), calc_(calc), txtContent_(new QPlainTextEdit) {
    SetUpWindow(*this, "PrntFile", "Data To Be Printed");
    txtContent_->setObjectName("txtContent");
    txtContent_->setFont(FixedPitchFont(10));
    txtContent_->setLineWrapMode(QPlainTextEdit::NoWrap);

    QPushButton* btnPrint = CommandButton(*this, "Print", "btnPrint", [this] { btnPrint_Click(); });
    QPushButton* btnCancel = CommandButton(*this, "Cancel", "btnCancel", [this] { btnCancel_Click(); });
    auto* hint = new QLabel("Ctrl-C to copy.  Ctrl-X to cut.  Ctrl-V to paste.");
    hint->setObjectName("lblHint");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnCancel);
    buttons->addSpacing(16);
    buttons->addWidget(hint);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(txtContent_);
    layout->addLayout(buttons);

    // About 30 lines of the text; the width follows the lines loaded.
    resize(640, QFontMetrics(txtContent_->font()).lineSpacing() * 30 + 90);
    FitWidthToLines({});
}

void PrintWindow::FitWidthToLines(const std::vector<std::string>& lines) {
    // Wide enough for the longest line, from 80 up to 132 columns, within the screen.
    const QFontMetrics metrics(txtContent_->font());
    int widest = metrics.horizontalAdvance(QString(80, 'M'));
    for (const std::string& line : lines) {
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(line)));
    }
    widest = std::min(widest, metrics.horizontalAdvance(QString(132, 'M')));
    const int margin = static_cast<int>(std::ceil(txtContent_->document()->documentMargin()));
    const int chrome = layout()->contentsMargins().left() + layout()->contentsMargins().right() +
                       2 * txtContent_->frameWidth() + 2 * margin + 4 +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int width = widest + chrome;
    if (const QScreen* where = screen()) width = std::min(width, where->availableGeometry().width());
    resize(width, height());
}

bool PrintWindow::Load() {
    LongLineFound_ = false;
    const std::filesystem::path path = PrintBufferPath(calc_.ProgramDir);
    std::string error;
    const std::optional<TextLines> read = ReadTextLines(path, &error);
    if (!read) {
        dialogs_.MessageBox(
            this, QString("Cannot read %1: %2").arg(QString::fromStdString(path.string()),
                                                    QString::fromStdString(error)),
            "Warning!", MessageIcon::Information);
        return false;
    }
    LongLineFound_ = HasLongLine(read->lines, calc_.options[Option::PrintLineWidth]);
    QString text;
    for (const std::string& line : read->lines) {
        text += QString::fromStdString(line);
        text += '\n';
    }
    // A plain text box holds any text that fits in memory, so nothing is ever cut here.
    txtContent_->setPlainText(text);
    FitWidthToLines(read->lines);
    return true;
}

void PrintWindow::btnPrint_Click() {
    const std::string edited = txtContent_->toPlainText().toStdString();
    if (SplitTextLines(edited).lines.empty()) {
        dialogs_.MessageBox(this, NoDataToPrintMessage, "Information",
                                    MessageIcon::Exclamation);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    // Room for 80 columns of 12-point type across A4 and Letter paper.
    printer.setPageMargins(QMarginsF(6.35, 12.7, 6.35, 12.7), QPageLayout::Millimeter);
    if (!dialogs_.SetUpPrinter(this, printer)) return;

    BusyPointer busy(dialogs_);
    // The edited text is what is printed and what stays in the hand-over file.
    const std::filesystem::path path = PrintBufferPath(calc_.ProgramDir);
    const WriteResult written = SaveEditorText(path, edited);
    std::string error;
    const std::optional<TextLines> read =
        written.ok ? ReadTextLines(path, &error) : std::optional<TextLines>();
    if (!read) {
        const QString message =
            written.ok ? QString("Cannot read %1: %2").arg(QString::fromStdString(path.string()),
                                                           QString::fromStdString(error))
                       : QString::fromStdString(written.message);
        dialogs_.MessageBox(this, message, "Warning!", MessageIcon::Information);
        return;
    }
    // The type size follows the lines as edited.
    LongLineFound_ = HasLongLine(read->lines, calc_.options[Option::PrintLineWidth]);
    lastJob_ = PrintLines(printer, read->lines,
                          OptionWholeNumber(calc_.options[Option::PrintLinesPerPage]),
                          LongLineFound_);
    if (!lastJob_.started) {
        dialogs_.MessageBox(this, "The printer could not start the print job.",
                                    "Warning!", MessageIcon::Information);
        return;
    }
    close();
}

void PrintWindow::btnCancel_Click() { close(); }

void PrintWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    PaintSunkenFrame(*this, *txtContent_);
}

}  // namespace orrerion::gui
