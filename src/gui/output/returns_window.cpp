#include "gui/output/returns_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/pictures/chart_heading.h"
#include "gui/ui/window_requests.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

enum Column { UniversalColumn, LocalColumn, LongitudeColumn, RetrogradeColumn, ColumnCount };

}  // namespace

ReturnsWindow::ReturnsWindow(WindowRequests& requests, ReturnsWindowSlice slice, QWidget* parent)
    : QWidget(parent, Qt::Window),
      requests_(requests),
      slice_(slice),
      lblChart_(new QLabel),
      cboBody_(new QComboBox),
      dtpFrom_(new QDateEdit),
      txtDays_(new QSpinBox),
      chkPrecessed_(new QCheckBox("P&recessed")),
      grdReturns_(new QTableWidget(0, ColumnCount)),
      lblNote_(new QLabel) {
    SetUpWindow(*this, "Returns", "Returns");
    NameControls({{cboBody_, "cboBody"}, {dtpFrom_, "dtpFrom"}, {txtDays_, "txtDays"},
                  {chkPrecessed_, "chkPrecessed"}, {grdReturns_, "grdReturns"}, {lblNote_, "lblNote"}});
    SetUpHeading(*lblChart_);

    for (const int body : ReturnBodies()) cboBody_->addItem(QString::fromStdString(ReturnBodyName(body)), body);
    cboBody_->setToolTip("The body whose returns to its natal longitude are listed");
    SetUpSpanControls(*dtpFrom_, *txtDays_, MaxReturnDays);
    txtDays_->setToolTip(QString("How many days are searched (1 to %1); choosing a body proposes a span that "
                                 "holds one of its returns")
                             .arg(MaxReturnDays));
    chkPrecessed_->setToolTip("Returns to the natal longitude moved on by the precession since birth (the same "
                              "place among the stars)");

    grdReturns_->setHorizontalHeaderLabels({"Moment (UT)", "Local time", "Longitude", "Retrograde"});
    grdReturns_->horizontalHeaderItem(RetrogradeColumn)->setToolTip("R: the body crosses its natal longitude moving backwards");
    SetUpListingTable(*grdReturns_);
    grdReturns_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grdReturns_->setToolTip("Double-click a return to show its chart");
    lblNote_->setWordWrap(true);

    QPushButton* cmdList = CommandButton(*this, "&List", "cmdList", [this] { cmdList_Click(); });
    cmdList->setToolTip("List the returns of the body over the span (Enter)");
    cmdList->setDefault(true);
    QPushButton* cmdShow = CommandButton(*this, "&Show", "cmdShow", [this] { cmdShow_Click(); });
    cmdShow->setToolTip("The selected return chart in the Wheel window inside the natal chart, its summary in "
                        "the data window");
    QPushButton* cmdHelp = CommandButton(*this, "&Help", "cmdHelp", [this] { requests_.ShowHelpText("RETURNS.HLP"); });
    cmdHelp->setToolTip("How to use this window");
    QPushButton* cmdClose = CommandButton(*this, "&Close", "cmdClose", [this] { close(); });

    auto* form = new QFormLayout;
    form->addRow("&Body:", cboBody_);
    form->addRow("&From:", dtpFrom_);
    form->addRow("&Span:", txtDays_);
    form->addRow(QString(), chkPrecessed_);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdList, cmdShow, cmdHelp, cmdClose}) buttons->addWidget(b);
    buttons->addStretch();
    auto* controls = new QHBoxLayout;
    controls->addLayout(form);
    controls->addStretch();
    controls->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChart_);
    layout->addLayout(controls);
    layout->addWidget(grdReturns_, 1);
    layout->addWidget(lblNote_);

    connect(cboBody_, &QComboBox::activated, this, &ReturnsWindow::BodyChosen);
    connect(grdReturns_, &QTableWidget::cellDoubleClicked, this, [this] { cmdShow_Click(); });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);

    resize(640, 520);
    Refresh();
}

void ReturnsWindow::BodyChosen() {
    txtDays_->setValue(DefaultReturnDays(cboBody_->currentData().toInt()));
}

void ReturnsWindow::Refresh() {
    const ReturnsChoice& choice = slice_.choice;
    cboBody_->setCurrentIndex(std::max(0, cboBody_->findData(choice.body)));
    txtDays_->setValue(choice.days);
    chkPrecessed_->setChecked(choice.precessed);
    lblChart_->setText(QString::fromStdString(slice_.chartComputed ? ChartHeading(slice_.calc.chart) : NoChartHeading));
    if (slice_.chartComputed) dtpFrom_->setDate(DiurnalDateOf(slice_.calc));
    cmdList_Click();
}

void ReturnsWindow::cmdList_Click() {
    moments_.clear();
    grdReturns_->setRowCount(0);
    if (!slice_.chartComputed) {
        lblNote_->setText("No chart yet. Enter a birth and a second moment, then press OK.");
        return;
    }
    ReturnsChoice& choice = slice_.choice;
    choice.body = cboBody_->currentData().toInt();
    choice.days = txtDays_->value();
    choice.precessed = chkPrecessed_->isChecked();
    const Calculation& calc = slice_.calc;
    const ReturnSearch search = ReturnSearchOf(calc, choice, dtpFrom_->date());

    slice_.dialogs.SetBusyPointer(true);
    moments_ = FindReturns(calc.chart, calc.eph.Source, search);
    slice_.dialogs.SetBusyPointer(false);

    grdReturns_->horizontalHeaderItem(LocalColumn)->setText(QString::fromStdString(LocalColumnHeading(calc)));
    const std::vector<ReturnRow> rows = ReturnRows(calc, moments_);
    grdReturns_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ReturnRow& row = rows[static_cast<std::size_t>(r)];
        grdReturns_->setItem(r, UniversalColumn, ListingCell(row.universal));
        grdReturns_->setItem(r, LocalColumn, ListingCell(row.local));
        grdReturns_->setItem(r, LongitudeColumn, ListingCell(row.longitude));
        grdReturns_->setItem(r, RetrogradeColumn, ListingCell(row.retrograde, Qt::AlignCenter));
    }
    if (!rows.empty()) grdReturns_->selectRow(0);
    lblNote_->setText(QString::fromStdString(ReturnsNote(calc, search, moments_.size(), slice_.preciseChoice)));
}

void ReturnsWindow::cmdShow_Click() {
    const int row = grdReturns_->currentRow();
    if (row < 0 || row >= static_cast<int>(moments_.size()) || grdReturns_->selectedItems().isEmpty()) {
        slice_.dialogs.MessageBox(this, "Choose a return in the list first (press List to fill it).", "Information",
                                  MessageIcon::Information);
        return;
    }
    const ReturnChart chart = ReturnChartOf(slice_.calc, moments_[static_cast<std::size_t>(row)]);
    requests_.ShowReturnChart(chart, slice_.choice.precessed);
}

}  // namespace orrerion::gui
