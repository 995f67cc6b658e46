#pragma once
// The atlas window: search a place, see the clock offset in force there at a date and time, and
// hand the place to the input windows with "Use this place".
#include <QDate>
#include <QDialog>
#include <QTime>
#include <filesystem>
#include <vector>

#include "place_search.h"
#include "zone_offset.h"

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTreeWidget;

namespace orrerion::atlas {

class AtlasWindow : public QDialog {
    Q_OBJECT
public:
    // `resultFolder` receives PCATPATH.TXT and TSRTEMP.TXT (the folder given with --out).
    AtlasWindow(const PlaceIndex& places, std::filesystem::path resultFolder, QWidget* parent = nullptr);

    // The local date and time whose offset is shown (from --date and --time).
    void SetMoment(QDate date, QTime time);

    // The place of the current row, or nothing.
    const Place* CurrentPlace() const;
    // The offset (or the two at a clock change) for the current place and moment.
    const ZoneAtLocalTime& CurrentZone() const { return zone_; }
    // The offset "Use this place" writes: the only one, or the one chosen at a clock change.
    const OffsetChoice* ChosenOffset() const;

    static QString AboutText();

    static constexpr std::size_t ListedPlaces = 200;

private:
    void Search();
    void ShowZone();          // a new place or moment: the offsets in force
    void ShowChosenOffset();  // the offset chosen among them
    void UseThisPlace();
    void ShowAbout();

    const PlaceIndex& places_;
    std::filesystem::path resultFolder_;
    std::vector<const Place*> listed_;
    ZoneAtLocalTime zone_;

    QLineEdit* txtSearch_ = nullptr;
    QLabel* lblMatches_ = nullptr;
    QTreeWidget* lstPlaces_ = nullptr;
    QDateEdit* txtDate_ = nullptr;
    QTimeEdit* txtTime_ = nullptr;
    QLabel* lblZoneName_ = nullptr;
    QLabel* lblOffset_ = nullptr;
    QLabel* lblDaylight_ = nullptr;
    QLabel* lblNote_ = nullptr;
    QButtonGroup* offsetChoice_ = nullptr;
    QRadioButton* optFirstOffset_ = nullptr;
    QRadioButton* optSecondOffset_ = nullptr;
    QPushButton* cmdUse_ = nullptr;
};

}  // namespace orrerion::atlas
