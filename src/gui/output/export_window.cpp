#include "gui/output/export_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "core/exports/exact_moments.h"
#include "core/pictures/chart_heading.h"
#include "gui/output/events_presenter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {

namespace {

// The family boxes' control names and where in the family's label their access key stands, in
// the order of the report files; the caption is the label, with "(exact moments)" for the
// families that have them.
struct FamilyBox {
    AspectFamily family;
    const char* name;
    int keyAt;
};
constexpr FamilyBox FamilyBoxes[] = {
    {AspectFamily::TransitToNatal, "chkTransitNatal", 0},
    {AspectFamily::SolarArcToNatal, "chkSolarArcNatal", 0},
    {AspectFamily::ProgressedToNatal, "chkProgressedNatal", 0},
    {AspectFamily::ProgressedToProgressed, "chkProgressedProgressed", 15},
    {AspectFamily::TransitToProgressed, "chkTransitProgressed", 12},
};

QString FamilyBoxCaption(const FamilyBox& box) {
    const std::string_view label = FamilyOf(box.family).label;
    QString caption = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    caption.insert(box.keyAt, '&');
    if (HasExactMoments(box.family)) caption += " (exact moments)";
    return caption;
}

}  // namespace

ExportWindow::ExportWindow(ExportWindowSlice slice, QWidget* parent)
    : QWidget(parent, Qt::Window),
      slice_(slice),
      lblChart_(new QLabel),
      lblScan_(new QLabel),
      optCalendar_(new QRadioButton("&Calendar (iCalendar .ics)")),
      optCsv_(new QRadioButton("T&able (CSV)")),
      optJson_(new QRadioButton("&JSON")),
      chkRunEvents_(new QCheckBox("All-day event for each &run, first to last day")) {
    SetUpWindow(*this, "Export", "Export the Scan");
    SetUpHeading(*lblChart_);
    lblScan_->setObjectName("lblScan");
    lblScan_->setWordWrap(true);
    TabToCheckedRadio({optCalendar_, optCsv_, optJson_});
    NameControls({{optCalendar_, "optCalendar"}, {optCsv_, "optCsv"}, {optJson_, "optJson"},
                  {chkRunEvents_, "chkRunEvents"}});

    auto* format = new QGroupBox("Format");
    format->setObjectName("fraFormat");
    auto* formatLayout = new QVBoxLayout(format);
    for (QRadioButton* option : {optCalendar_, optCsv_, optJson_}) {
        formatLayout->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this] { TakeChoice(); });
    }
    formatLayout->addWidget(chkRunEvents_);
    connect(chkRunEvents_, &QCheckBox::toggled, this, [this] { TakeChoice(); });

    auto* families = new QGroupBox("Families");
    families->setObjectName("fraFamilies");
    auto* familiesLayout = new QVBoxLayout(families);
    for (const FamilyBox& box : FamilyBoxes) {
        auto* check = new QCheckBox(FamilyBoxCaption(box));
        check->setObjectName(box.name);
        chkFamilies_[FamilyIndex(box.family)] = check;
        familiesLayout->addWidget(check);
        connect(check, &QCheckBox::toggled, this, [this] { TakeChoice(); });
    }

    // The sky's events over the scanned days, written after the runs.
    auto* events = new QGroupBox("Sky events");
    events->setObjectName("fraEvents");
    auto* eventsLayout = new QGridLayout(events);
    for (std::size_t i = 0; i < SkyEventKinds.size(); ++i) {
        const std::string_view label = SkyEventKinds[i].label;
        auto* check = new QCheckBox(QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
        check->setObjectName(QString::fromStdString(KindControlName(SkyEventKinds[i])));
        check->setToolTip("Write the sky's events of this kind over the scanned days after the runs");
        chkEvents_[i] = check;
        eventsLayout->addWidget(check, static_cast<int>(i / 2), static_cast<int>(i % 2));
        connect(check, &QCheckBox::toggled, this, [this] { TakeChoice(); });
    }

    QPushButton* cmdExport = CommandButton(*this, "&Export...", "cmdExport", [this] { cmdExport_Click(); });
    cmdExport->setDefault(true);
    QPushButton* cmdClose = CommandButton(*this, "Close", "cmdClose", [this] { close(); });
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChart_);
    layout->addWidget(lblScan_);
    layout->addWidget(format);
    layout->addWidget(families);
    layout->addWidget(events);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    Refresh();
}

void ExportWindow::Refresh() {
    const ExportWindowState state = slice_.state;  // the controls' signals rewrite it meanwhile
    lblChart_->setText(QString::fromStdString(slice_.chartComputed ? ChartHeading(slice_.calc.chart) : NoChartHeading));
    lblScan_->setText(QString::fromStdString(ExportScanSummary(slice_.calc, slice_.chartComputed)));
    optCalendar_->setChecked(state.format == ExportFormat::Calendar);
    optCsv_->setChecked(state.format == ExportFormat::Csv);
    optJson_->setChecked(state.format == ExportFormat::Json);
    for (std::size_t f = 0; f < FamilyCount; ++f) chkFamilies_[f]->setChecked(state.choice.families[f]);
    chkRunEvents_->setChecked(state.choice.runEvents);
    for (std::size_t i = 0; i < SkyEventKindCount; ++i) chkEvents_[i]->setChecked(state.eventKinds[i]);
    slice_.state = state;
    chkRunEvents_->setEnabled(state.format == ExportFormat::Calendar);
}

void ExportWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
}

void ExportWindow::TakeChoice() {
    ExportWindowState& state = slice_.state;
    state.format = optCsv_->isChecked()    ? ExportFormat::Csv
                   : optJson_->isChecked() ? ExportFormat::Json
                                           : ExportFormat::Calendar;
    for (std::size_t f = 0; f < FamilyCount; ++f) {
        if (chkFamilies_[f]) state.choice.families[f] = chkFamilies_[f]->isChecked();
    }
    state.choice.runEvents = chkRunEvents_->isChecked();
    for (std::size_t i = 0; i < SkyEventKindCount; ++i) {
        if (chkEvents_[i]) state.eventKinds[i] = chkEvents_[i]->isChecked();
    }
    chkRunEvents_->setEnabled(state.format == ExportFormat::Calendar);
}

void ExportWindow::cmdExport_Click() {
    if (const auto refusal = ExportRefusal(slice_.calc, slice_.chartComputed, slice_.state.choice)) {
        slice_.dialogs.MessageBox(this, QString::fromStdString(*refusal), "Information", MessageIcon::Information);
        return;
    }
    SaveDialogRequest request;
    request.title = "Export the scan";
    request.initialDir = QString::fromStdString(slice_.calc.ProgramDir.string());
    request.proposedName = QString::fromStdString(ProposedExportFileName(slice_.calc.chart.ChartName, slice_.state.format));
    request.defaultSuffix = QString::fromStdString(ExportExtension(slice_.state.format));
    request.filter = QString::fromStdString(ExportFilter(slice_.state.format));
    const QString file = slice_.dialogs.SaveFileName(this, request);
    if (file.isEmpty()) return;
    WriteResult written;
    {
        BusyPointer busy(slice_.dialogs);
        written = ExportScan(slice_.calc, slice_.state, file.toStdString(), slice_.settings.settings.eventOrb);
    }
    if (!written.ok) {
        slice_.dialogs.MessageBox(this, QString::fromStdString(written.message), "Error!", MessageIcon::Critical);
    }
}

}  // namespace orrerion::gui
