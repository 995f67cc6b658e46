#include "gui/output/events_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/aspects/returns.h"
#include "core/io/pages.h"
#include "core/pictures/chart_heading.h"
#include "gui/output/export_presenter.h"
#include "gui/output/returns_presenter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_requests.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

enum Column { UniversalColumn, LocalColumn, KindColumn, BodyColumn, EventColumn, UntilColumn, ColumnCount };

struct FormatItem {
    ExportFormat format;
    const char* caption;
};
constexpr FormatItem FormatItems[] = {
    {ExportFormat::Json, "JSON (.json)"},
    {ExportFormat::Csv, "Table (.csv)"},
    {ExportFormat::Calendar, "Calendar (.ics)"},
};

}  // namespace

EventsWindow::EventsWindow(WindowRequests& requests, EventsWindowSlice slice, QWidget* parent)
    : QWidget(parent, Qt::Window),
      requests_(requests),
      slice_(slice),
      lblChart_(new QLabel),
      dtpFrom_(new QDateEdit),
      txtDays_(new QSpinBox),
      cboBody_(new QComboBox),
      cboFormat_(new QComboBox),
      grdEvents_(new QTableWidget(0, ColumnCount)),
      lblNote_(new QLabel) {
    SetUpWindow(*this, "Events", "Events");
    NameControls({{dtpFrom_, "dtpFrom"}, {txtDays_, "txtDays"}, {cboBody_, "cboBody"}, {cboFormat_, "cboFormat"},
                  {grdEvents_, "grdEvents"}, {lblNote_, "lblNote"}});
    SetUpHeading(*lblChart_);

    SetUpSpanControls(*dtpFrom_, *txtDays_, MaxReturnDays);
    txtDays_->setToolTip(QString("How many days are searched (1 to %1)").arg(MaxReturnDays));
    cboBody_->setToolTip("Only the events of this body (lunations and lunar eclipses are the Moon's, solar "
                         "eclipses the Sun's)");
    for (const FormatItem& item : FormatItems) cboFormat_->addItem(item.caption, static_cast<int>(item.format));
    cboFormat_->setToolTip("The format Export writes the events listed in");

    auto* kinds = new QGroupBox("Kinds");
    kinds->setObjectName("fraKinds");
    auto* kindGrid = new QGridLayout(kinds);
    for (std::size_t k = 0; k < SkyEventKinds.size(); ++k) {
        const SkyEventKindRow& row = SkyEventKinds[k];
        auto* box = new QCheckBox(QString::fromStdString(std::string(row.label)));
        box->setObjectName(QString::fromStdString(KindControlName(row)));
        box->setToolTip("List the events of this kind");
        chkKinds_[k] = box;
        kindGrid->addWidget(box, static_cast<int>(k) / 2, static_cast<int>(k) % 2);
        connect(box, &QCheckBox::toggled, this, &EventsWindow::FilterChanged);
    }
    connect(cboBody_, &QComboBox::activated, this, &EventsWindow::FilterChanged);
    connect(cboFormat_, &QComboBox::activated, this, [this] {
        slice_.choice.format = static_cast<ExportFormat>(cboFormat_->currentData().toInt());
    });

    grdEvents_->setHorizontalHeaderLabels({"Moment (UT)", "Local time", "Kind", "Body", "Event", "Until (local)"});
    grdEvents_->horizontalHeaderItem(UntilColumn)
        ->setToolTip("The end of a retrograde period or of the Moon's void of course, on the local clock");
    SetUpListingTable(*grdEvents_);
    // One line of text a row, so that a long listing shows many at a time.
    grdEvents_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdEvents_->verticalHeader()->setDefaultSectionSize(QFontMetrics(grdEvents_->font()).height() + 6);
    grdEvents_->setWordWrap(false);
    // Widths from the longest texts rather than from every row, which a long span makes slow.
    const QFontMetrics metrics(grdEvents_->font());
    const int pad = metrics.horizontalAdvance("MM");
    const int moment = metrics.horizontalAdvance("00 May 0000 00:00") + pad;
    int kindWidth = 0;
    for (const SkyEventKindRow& row : SkyEventKinds) {
        kindWidth = std::max(kindWidth, metrics.horizontalAdvance(QString::fromStdString(std::string(row.label))));
    }
    QHeaderView* header = grdEvents_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(EventColumn, QHeaderView::Stretch);
    grdEvents_->setColumnWidth(UniversalColumn, moment);
    grdEvents_->setColumnWidth(LocalColumn, moment);
    grdEvents_->setColumnWidth(KindColumn, kindWidth + pad);
    grdEvents_->setColumnWidth(BodyColumn, metrics.horizontalAdvance("Mercury") + pad);
    grdEvents_->setColumnWidth(UntilColumn, moment);
    lblNote_->setWordWrap(true);

    QPushButton* cmdList = CommandButton(*this, "&List", "cmdList", [this] { cmdList_Click(); });
    cmdList->setToolTip("Find the events of the span (Enter)");
    cmdList->setDefault(true);
    QPushButton* cmdPrint = CommandButton(*this, "&Print...", "cmdPrint", [this] { cmdPrint_Click(); });
    cmdPrint->setToolTip("The listing in the print window, to print (Ctrl+P)");
    QPushButton* cmdExport = CommandButton(*this, "&Export...", "cmdExport", [this] { cmdExport_Click(); });
    cmdExport->setToolTip("Write the events listed as JSON, CSV or iCalendar (Ctrl+S)");
    QPushButton* cmdHelp = CommandButton(*this, "&Help", "cmdHelp", [this] { requests_.ShowHelpWindow("EVENTS.HLP"); });
    cmdHelp->setToolTip("How to use this window (F1)");
    QPushButton* cmdClose = CommandButton(*this, "&Close", "cmdClose", [this] { close(); });

    auto* form = new QFormLayout;
    form->addRow("&From:", dtpFrom_);
    form->addRow("&Span:", txtDays_);
    form->addRow("&Body:", cboBody_);
    form->addRow("F&ormat:", cboFormat_);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdList, cmdPrint, cmdExport, cmdHelp, cmdClose}) buttons->addWidget(b);
    buttons->addStretch();
    auto* controls = new QHBoxLayout;
    controls->addLayout(form);
    controls->addWidget(kinds);
    controls->addStretch();
    controls->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChart_);
    layout->addLayout(controls);
    layout->addWidget(grdEvents_, 1);
    layout->addWidget(lblNote_);

    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this), &QShortcut::activated, this,
            &EventsWindow::cmdPrint_Click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
            &EventsWindow::cmdExport_Click);

    resize(900, 600);
    Refresh();
}

void EventsWindow::Refresh() {
    const EventsChoice choice = slice_.choice;  // the controls' signals rewrite it meanwhile
    txtDays_->setValue(choice.days);
    for (std::size_t k = 0; k < chkKinds_.size(); ++k) {
        const QSignalBlocker quiet(chkKinds_[k]);
        chkKinds_[k]->setChecked(choice.kinds[k]);
    }
    FillBodies();
    cboBody_->setCurrentIndex(std::max(0, cboBody_->findData(choice.body)));
    cboFormat_->setCurrentIndex(std::max(0, cboFormat_->findData(static_cast<int>(choice.format))));
    slice_.choice = choice;
    lblChart_->setText(QString::fromStdString(slice_.chartComputed ? ChartHeading(slice_.calc.chart) : NoChartHeading));
    if (slice_.chartComputed) dtpFrom_->setDate(DiurnalDateOf(slice_.calc));
    cmdList_Click();
}

void EventsWindow::FillBodies() {
    const QSignalBlocker quiet(cboBody_);
    cboBody_->clear();
    cboBody_->addItem("All bodies", AnyBody);
    for (const int body : EventBodies(slice_.calc.chart.Points)) {
        cboBody_->addItem(QString::fromStdString(ReturnBodyName(body)), body);
    }
}

void EventsWindow::cmdList_Click() {
    found_.clear();
    if (!slice_.chartComputed) {
        listed_.clear();
        grdEvents_->setRowCount(0);
        lblNote_->setText("No chart yet. Enter a birth and a second moment, then press OK.");
        return;
    }
    slice_.choice.days = txtDays_->value();
    const Calculation& calc = slice_.calc;
    request_ = EventsRequestOf(calc, slice_.choice.days, dtpFrom_->date(), slice_.settings.settings.eventOrb);
    {
        BusyPointer busy(slice_.dialogs);
        found_ = FindSkyEvents(calc.chart, calc.eph.Source, request_);
    }
    grdEvents_->horizontalHeaderItem(LocalColumn)->setText(QString::fromStdString(LocalColumnHeading(calc)));
    FilterChanged();
}

void EventsWindow::FilterChanged() {
    EventsChoice& choice = slice_.choice;
    for (std::size_t k = 0; k < chkKinds_.size(); ++k) choice.kinds[k] = chkKinds_[k]->isChecked();
    choice.body = cboBody_->currentData().toInt();
    if (!slice_.chartComputed) return;
    listed_ = FilteredEvents(found_, choice);
    ShowRows();
}

void EventsWindow::ShowRows() {
    const std::vector<EventRow> rows = EventRows(slice_.calc, listed_);
    grdEvents_->setUpdatesEnabled(false);
    grdEvents_->setRowCount(0);
    grdEvents_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const EventRow& row = rows[static_cast<std::size_t>(r)];
        grdEvents_->setItem(r, UniversalColumn, ListingCell(row.universal));
        grdEvents_->setItem(r, LocalColumn, ListingCell(row.local));
        grdEvents_->setItem(r, KindColumn, ListingCell(row.kind));
        grdEvents_->setItem(r, BodyColumn, ListingCell(row.body));
        grdEvents_->setItem(r, EventColumn, ListingCell(row.event));
        grdEvents_->setItem(r, UntilColumn, ListingCell(row.until));
    }
    grdEvents_->setUpdatesEnabled(true);
    lblNote_->setText(QString::fromStdString(
        EventsNote(slice_.calc, request_, listed_.size(), found_.size(), slice_.preciseChoice)));
}

void EventsWindow::cmdPrint_Click() {
    if (!slice_.chartComputed) {
        slice_.dialogs.MessageBox(this, "No chart yet: there are no events to print.", "Information",
                                  MessageIcon::Information);
        return;
    }
    const std::vector<std::string> lines =
        EventsPrintLines(slice_.calc, request_, EventRows(slice_.calc, listed_));
    {
        BusyPointer busy(slice_.dialogs);
        const WriteResult written = WritePrintBuffer(PrintBufferPath(slice_.calc.ProgramDir), lines);
        if (!written.ok) {
            slice_.dialogs.MessageBox(this, QString::fromStdString(written.message), "Warning!",
                                      MessageIcon::Information);
            return;
        }
    }
    requests_.OpenPrintWindow();
}

void EventsWindow::cmdExport_Click() {
    if (!slice_.chartComputed || listed_.empty()) {
        slice_.dialogs.MessageBox(this,
                                  slice_.chartComputed ? "No events are listed: tick a kind, choose another body "
                                                         "or a longer span."
                                                       : "No chart yet: there are no events to export.",
                                  "Information", MessageIcon::Information);
        return;
    }
    const ExportFormat format = slice_.choice.format;
    SaveDialogRequest request;
    request.title = "Export the events";
    request.initialDir = QString::fromStdString(slice_.calc.ProgramDir.string());
    request.proposedName = QString::fromStdString(ProposedEventsFileName(slice_.calc.chart.ChartName, format));
    request.defaultSuffix = QString::fromStdString(ExportExtension(format));
    request.filter = QString::fromStdString(ExportFilter(format));
    const QString file = slice_.dialogs.SaveFileName(this, request);
    if (file.isEmpty()) return;
    WriteResult written;
    {
        BusyPointer busy(slice_.dialogs);
        written = ExportEvents(file.toStdString(), format, listed_, slice_.calc);
    }
    if (!written.ok) {
        slice_.dialogs.MessageBox(this, QString::fromStdString(written.message), "Error!", MessageIcon::Critical);
    }
}

}  // namespace orrerion::gui
