#include "atlas_window.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "atlas_result.h"
#include "core/records/atlas_exchange.h"

namespace orrerion::atlas {
namespace {

QString Code(const std::string& code) { return QString::fromStdString(code); }

}  // namespace

AtlasWindow::AtlasWindow(const PlaceIndex& places, std::filesystem::path resultFolder, QWidget* parent)
    : QDialog(parent), places_(places), resultFolder_(std::move(resultFolder)) {
    setObjectName(QStringLiteral("Atlas"));
    setWindowTitle(QStringLiteral("Atlas"));

    txtSearch_ = new QLineEdit(this);
    txtSearch_->setObjectName(QStringLiteral("txtSearch"));
    txtSearch_->setPlaceholderText(QStringLiteral("Name of the town or city, then region or country if needed"));
    txtSearch_->setClearButtonEnabled(true);
    lblMatches_ = new QLabel(this);
    lblMatches_->setObjectName(QStringLiteral("lblMatches"));

    lstPlaces_ = new QTreeWidget(this);
    lstPlaces_->setObjectName(QStringLiteral("lstPlaces"));
    lstPlaces_->setHeaderLabels({QStringLiteral("Place"), QStringLiteral("Region"), QStringLiteral("Country"),
                                 QStringLiteral("Latitude"), QStringLiteral("Longitude"), QStringLiteral("Time zone")});
    lstPlaces_->setRootIsDecorated(false);
    lstPlaces_->setUniformRowHeights(true);
    lstPlaces_->setAlternatingRowColors(true);
    lstPlaces_->header()->setStretchLastSection(true);
    lstPlaces_->setColumnWidth(0, 150);
    lstPlaces_->setColumnWidth(1, 140);
    lstPlaces_->setColumnWidth(2, 170);
    lstPlaces_->setColumnWidth(3, 70);
    lstPlaces_->setColumnWidth(4, 75);

    txtDate_ = new QDateEdit(this);
    txtDate_->setObjectName(QStringLiteral("txtDate"));
    txtDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    txtDate_->setMinimumDate(QDate(1000, 1, 1));
    txtDate_->setMaximumDate(QDate(9999, 12, 31));
    txtDate_->setCalendarPopup(true);
    txtDate_->setMinimumWidth(txtDate_->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00")) + 48);
    txtTime_ = new QTimeEdit(this);
    txtTime_->setObjectName(QStringLiteral("txtTime"));
    txtTime_->setDisplayFormat(QStringLiteral("HH:mm"));
    const QDateTime now = QDateTime::currentDateTime();
    txtDate_->setDate(now.date());
    txtTime_->setTime(QTime(now.time().hour(), now.time().minute()));

    auto* momentRow = new QHBoxLayout;
    momentRow->addWidget(new QLabel(QStringLiteral("Date:"), this));
    momentRow->addWidget(txtDate_);
    momentRow->addSpacing(12);
    momentRow->addWidget(new QLabel(QStringLiteral("Local clock time (24-hour):"), this));
    momentRow->addWidget(txtTime_);
    momentRow->addStretch(1);

    auto* zoneBox = new QGroupBox(QStringLiteral("Clock offset in force"), this);
    zoneBox->setObjectName(QStringLiteral("fraZone"));
    lblZoneName_ = new QLabel(zoneBox);
    lblZoneName_->setObjectName(QStringLiteral("lblZoneName"));
    lblOffset_ = new QLabel(zoneBox);
    lblOffset_->setObjectName(QStringLiteral("lblOffset"));
    lblDaylight_ = new QLabel(zoneBox);
    lblDaylight_->setObjectName(QStringLiteral("lblDaylight"));
    lblNote_ = new QLabel(zoneBox);
    lblNote_->setObjectName(QStringLiteral("lblNote"));
    lblNote_->setWordWrap(true);
    optFirstOffset_ = new QRadioButton(zoneBox);
    optFirstOffset_->setObjectName(QStringLiteral("optFirstOffset"));
    optSecondOffset_ = new QRadioButton(zoneBox);
    optSecondOffset_->setObjectName(QStringLiteral("optSecondOffset"));
    offsetChoice_ = new QButtonGroup(this);
    offsetChoice_->addButton(optFirstOffset_, 0);
    offsetChoice_->addButton(optSecondOffset_, 1);
    auto* zoneForm = new QFormLayout(zoneBox);
    zoneForm->addRow(QStringLiteral("Time zone:"), lblZoneName_);
    zoneForm->addRow(QStringLiteral("Zone (hours west):"), lblOffset_);
    zoneForm->addRow(QStringLiteral("Daylight saving:"), lblDaylight_);
    zoneForm->addRow(lblNote_);
    zoneForm->addRow(optFirstOffset_);
    zoneForm->addRow(optSecondOffset_);

    auto* cmdAbout = new QPushButton(QStringLiteral("About"), this);
    cmdAbout->setObjectName(QStringLiteral("cmdAbout"));
    cmdAbout->setAutoDefault(false);
    cmdUse_ = new QPushButton(QStringLiteral("Use this place"), this);
    cmdUse_->setObjectName(QStringLiteral("cmdUse"));
    cmdUse_->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(cmdAbout);
    buttonRow->addStretch(1);
    buttonRow->addWidget(cmdUse_);
    buttonRow->addWidget(cmdCancel);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Place:"), this));
    searchRow->addWidget(txtSearch_, 1);
    searchRow->addWidget(lblMatches_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(lstPlaces_, 1);
    layout->addLayout(momentRow);
    layout->addWidget(zoneBox);
    layout->addLayout(buttonRow);

    connect(txtSearch_, &QLineEdit::textChanged, this, &AtlasWindow::Search);
    connect(lstPlaces_, &QTreeWidget::currentItemChanged, this, &AtlasWindow::ShowZone);
    connect(lstPlaces_, &QTreeWidget::itemDoubleClicked, this, &AtlasWindow::UseThisPlace);
    connect(txtDate_, &QDateEdit::dateChanged, this, &AtlasWindow::ShowZone);
    connect(txtTime_, &QTimeEdit::timeChanged, this, &AtlasWindow::ShowZone);
    connect(offsetChoice_, &QButtonGroup::idClicked, this, &AtlasWindow::ShowChosenOffset);
    connect(cmdUse_, &QPushButton::clicked, this, &AtlasWindow::UseThisPlace);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdAbout, &QPushButton::clicked, this, &AtlasWindow::ShowAbout);

    resize(820, 520);
    txtSearch_->setFocus();
    Search();
}

void AtlasWindow::SetMoment(QDate date, QTime time) {
    if (date.isValid()) txtDate_->setDate(date);
    if (time.isValid()) txtTime_->setTime(time);
}

const Place* AtlasWindow::CurrentPlace() const {
    const QTreeWidgetItem* item = lstPlaces_->currentItem();
    if (!item) return nullptr;
    const int row = lstPlaces_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
    if (row < 0 || static_cast<std::size_t>(row) >= listed_.size()) return nullptr;
    return listed_[static_cast<std::size_t>(row)];
}

const OffsetChoice* AtlasWindow::ChosenOffset() const {
    if (CurrentPlace() == nullptr) return nullptr;
    switch (zone_.kind) {
    case LocalTimeKind::Single:
        return &zone_.choices.front();
    case LocalTimeKind::Skipped:
    case LocalTimeKind::Repeated:
        return &zone_.choices[optSecondOffset_->isChecked() ? 1 : 0];
    case LocalTimeKind::UnknownZone:
        break;
    }
    return nullptr;
}

void AtlasWindow::Search() {
    const SearchResult found = places_.Search(txtSearch_->text(), ListedPlaces);
    listed_ = found.places;
    lstPlaces_->clear();
    QList<QTreeWidgetItem*> items;
    for (const Place* place : listed_) {
        auto* item = new QTreeWidgetItem(
            QStringList{QString::fromStdString(place->name), QString::fromStdString(place->region),
                        QString::fromStdString(place->country), Code(LatitudeCode(place->latitude)),
                        Code(LongitudeCode(place->longitude)), QString::fromStdString(place->zoneId)});
        items.append(item);
    }
    lstPlaces_->addTopLevelItems(items);
    if (txtSearch_->text().trimmed().isEmpty()) {
        lblMatches_->clear();
    } else if (found.total > listed_.size()) {
        lblMatches_->setText(QStringLiteral("%1 of %2 places").arg(listed_.size()).arg(found.total));
    } else {
        lblMatches_->setText(found.total == 1 ? QStringLiteral("1 place") : QStringLiteral("%1 places").arg(found.total));
    }
    if (!items.isEmpty()) lstPlaces_->setCurrentItem(items.front());
    ShowZone();
}

void AtlasWindow::ShowZone() {
    const Place* place = CurrentPlace();
    const QTime time = txtTime_->time();
    zone_ = place ? OffsetInForce(QString::fromStdString(place->zoneId), place->longitude, txtDate_->date(), time)
                  : ZoneAtLocalTime{};
    const bool choosing = zone_.kind == LocalTimeKind::Skipped || zone_.kind == LocalTimeKind::Repeated;
    optFirstOffset_->setVisible(choosing);
    optSecondOffset_->setVisible(choosing);
    if (choosing) {
        const bool skipped = zone_.kind == LocalTimeKind::Skipped;
        optFirstOffset_->setText((skipped ? QStringLiteral("Offset before the change: ")
                                          : QStringLiteral("First occurrence: ")) +
                                 ChoiceText(zone_.choices[0]));
        optSecondOffset_->setText((skipped ? QStringLiteral("Offset after the change: ")
                                           : QStringLiteral("Second occurrence: ")) +
                                  ChoiceText(zone_.choices[1]));
        optFirstOffset_->setChecked(true);
    }
    lblZoneName_->setText(place ? zone_.zoneId : QString());
    ShowChosenOffset();
}

void AtlasWindow::ShowChosenOffset() {
    const Place* place = CurrentPlace();
    const OffsetChoice* chosen = ChosenOffset();
    cmdUse_->setEnabled(chosen != nullptr);
    if (!chosen) {
        lblOffset_->clear();
        lblDaylight_->clear();
        if (place) lblNote_->setText(DescribeZoneAtLocalTime(zone_, txtTime_->time()));
        else if (txtSearch_->text().trimmed().isEmpty()) lblNote_->setText(QStringLiteral("Type the name of a place."));
        else lblNote_->setText(QStringLiteral("No place matches."));
        return;
    }
    lblOffset_->setText(ChoiceText(*chosen));
    const QString clock = txtTime_->time().toString(QStringLiteral("HH:mm"));
    if (chosen->localMeanTime) {
        lblDaylight_->setText(QStringLiteral("no (local mean time)"));
    } else {
        lblDaylight_->setText(chosen->daylight ? QStringLiteral("in force") : QStringLiteral("not in force"));
    }
    QString note;
    if (zone_.kind == LocalTimeKind::Skipped) {
        note = QStringLiteral("%1 did not exist on this date: the clocks were put forward over it. "
                              "Choose the offset the clock time was read in:").arg(clock);
    } else if (zone_.kind == LocalTimeKind::Repeated) {
        note = QStringLiteral("%1 occurred twice on this date: the clocks were put back over it. "
                              "Choose the occurrence:").arg(clock);
    } else if (chosen->localMeanTime) {
        note = QStringLiteral("Before standard time came here: the zone is the place's own local mean time "
                              "(longitude %1 / 15, to the minute), not that of the zone's main city.")
                   .arg(Code(LongitudeCode(place->longitude)));
    }
    lblNote_->setText(note);
}

void AtlasWindow::UseThisPlace() {
    const Place* place = CurrentPlace();
    const OffsetChoice* chosen = ChosenOffset();
    if (!place || !chosen) return;
    const WriteResult written = WriteAtlasResult(resultFolder_, *place, *chosen);
    if (!written.ok) {
        QMessageBox::critical(this, QStringLiteral("Atlas"), QString::fromStdString(written.message));
        return;
    }
    accept();
}

QString AtlasWindow::AboutText() {
    return QStringLiteral(
        "<p><b>Atlas</b> — the place and clock-offset finder of Orrerion.</p>"
        "<p>Clock offsets come from the system's time-zone database; before standard time the place's "
        "own local mean time is given.</p>"
        "<p>Place data from GeoNames (geonames.org), CC BY 4.0, "
        "read through the libgeonames library (GPL-3).</p>"
        "<p>This program is free software: you can redistribute it and/or modify it under the terms of "
        "the GNU General Public License as published by the Free Software Foundation, either version 3 "
        "of the License, or (at your option) any later version. It comes with NO WARRANTY.</p>");
}

void AtlasWindow::ShowAbout() { QMessageBox::about(this, QStringLiteral("About Atlas"), AboutText()); }

}  // namespace orrerion::atlas
