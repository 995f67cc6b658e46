#pragma once
// The Events window: the sky's events over a span of days from a date (stations, retrograde
// periods, sign and natal-house ingresses, lunations and eclipses with the natal points within the
// settings' orb, the void-of-course Moon), listed in UT and on the diurnal place's clock, filtered by
// kind and body; the listing printed through the print window, the events listed exported as JSON,
// CSV or iCalendar. It follows every calculation.
#include <QWidget>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/events/sky_events.h"
#include "core/records/settings_file.h"
#include "core/run/calculation.h"
#include "gui/output/events_presenter.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

struct EventsWindowSlice {
    Dialogs& dialogs;
    const Calculation& calc;
    const bool& chartComputed;
    const SettingsFile& settings;    // the orb of the natal points lunations and eclipses fall on
    EventsChoice& choice;            // span, filters and export format, kept between openings
    std::string_view preciseChoice;  // where precise positions are chosen, for the years note
};

class EventsWindow : public QWidget {
    Q_OBJECT
public:
    EventsWindow(WindowRequests& requests, EventsWindowSlice slice, QWidget* parent = nullptr);

    // The span starts again at the chart's diurnal date and the events are found anew (after a
    // calculation, and on opening).
    void Refresh();
    // The events of the span found (every kind) and listed through the filters.
    void cmdList_Click();
    // The listing's lines in the print window, for a last look and the printer.
    void cmdPrint_Click();
    // The events listed written in the chosen format, to a file chosen in the save dialog.
    void cmdExport_Click();

    // Every event the span holds, and those listed (in the order of the rows).
    const std::vector<SkyEvent>& found() const { return found_; }
    const std::vector<SkyEvent>& listed() const { return listed_; }
    // The search the listing comes from.
    const SkyEventRequest& request() const { return request_; }

private:
    // The body filter's list for the chart's chosen points.
    void FillBodies();
    // The filters' choice taken and the rows shown again, without a new search.
    void FilterChanged();
    void ShowRows();

    WindowRequests& requests_;
    EventsWindowSlice slice_;
    SkyEventRequest request_;
    std::vector<SkyEvent> found_;
    std::vector<SkyEvent> listed_;
    QLabel* lblChart_;
    QDateEdit* dtpFrom_;
    QSpinBox* txtDays_;
    std::array<QCheckBox*, SkyEventKindCount> chkKinds_{};
    QComboBox* cboBody_;
    QComboBox* cboFormat_;
    QTableWidget* grdEvents_;
    QLabel* lblNote_;
};

}  // namespace orrerion::gui
