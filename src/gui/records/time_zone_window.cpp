#include "gui/records/time_zone_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/ui/sunken_frame.h"
#include "gui/ui/window_requests.h"
#include "gui/records/list_window_layout.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

// Characters of the longest list line: the padded name, " - ", the abbreviation, " =" and an
// offset with its blanks in front.
constexpr int ListLineCharacters = 32 + 3 + 4 + 2 + 8;
constexpr int VisibleRows = 12;

}  // namespace

TimeZoneWindow::TimeZoneWindow(WindowRequests& requests, Dialogs& dialogs,
                               const std::filesystem::path& programDir, QWidget* parent)
    : RecordListWindow(parent),
      requests_(requests),
      dialogs_(dialogs),
      lstTimeZones_(new QListWidget),
      Command1_(new QPushButton("Quit")) {
    SetUpWindow(*this, "TimeZone", "Time Zones");

    lstTimeZones_->setObjectName("lstTimeZones");
    lstTimeZones_->setFont(FixedPitchFont(10));
    lstTimeZones_->setUniformItemSizes(true);
    lstTimeZones_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    WatchList(*lstTimeZones_, *lstTimeZones_, [this] { lstTimeZones_Click(); });
    const QFontMetrics metrics(lstTimeZones_->font());
    lstTimeZones_->setFixedWidth(metrics.horizontalAdvance(QString(ListLineCharacters, 'M')) +
                                 lstTimeZones_->verticalScrollBar()->sizeHint().width() +
                                 2 * lstTimeZones_->frameWidth() + 8);
    lstTimeZones_->setMinimumHeight(metrics.lineSpacing() * VisibleRows);
    Command1_->setObjectName("Command1");
    LoadOnSelection(*lstTimeZones_, [this] { lstTimeZones_Click(); });
    connect(Command1_, &QPushButton::clicked, this, &TimeZoneWindow::Command1_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &TimeZoneWindow::Command1_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(8);
    layout->addWidget(lstTimeZones_);
    layout->addLayout(buttons);
    resize(sizeHint());
    move(x(), TimeZoneWindowTop);
    KeepAboveScreenBottom(*this);

    table_ = LoadTimeZoneTable(programDir / TimeZoneFileName);
    for (const TimeZoneRecord& zone : table_.records) {
        lstTimeZones_->addItem(QString::fromStdString(TimeZoneListLine(zone)));
    }
    if (table_.problem) dialogs_.Show(this, table_.problem->message);
}

void TimeZoneWindow::ClearList() {
    lstTimeZones_->clear();
    table_ = TimeZoneTable{};
}

void TimeZoneWindow::lstTimeZones_Click() {
    const QListWidgetItem* selected = lstTimeZones_->currentItem();
    if (!selected) return;
    const TimeZoneChoice choice = ChooseTimeZone(table_, selected->text().toStdString());
    if (choice.problem) {
        dialogs_.Show(this, *choice.problem);
        return;
    }
    requests_.SetZone(target_, QString::fromStdString(choice.zoneText), !choice.west);
}

void TimeZoneWindow::Command1_Click() { close(); }

}  // namespace orrerion::gui
