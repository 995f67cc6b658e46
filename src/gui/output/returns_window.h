#pragma once
// The Returns window: the moments a chosen body returns to its natal longitude over a span of days
// from a date, listed in UT and on the diurnal place's clock with the body's longitude and a mark
// for a pass made moving backwards; Show opens the chosen return chart in the Wheel window around
// the natal chart, with its summary in the data window. It follows every calculation.
#include <QWidget>
#include <string>
#include <vector>

#include "core/aspects/returns.h"
#include "core/run/calculation.h"
#include "gui/output/returns_presenter.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

struct ReturnsWindowSlice {
    Dialogs& dialogs;
    const Calculation& calc;
    const bool& chartComputed;
    ReturnsChoice& choice;          // body, days and precession, kept between openings
    std::string_view preciseChoice;  // where precise positions are chosen, for the years note
};

class ReturnsWindow : public QWidget {
    Q_OBJECT
public:
    ReturnsWindow(WindowRequests& requests, ReturnsWindowSlice slice, QWidget* parent = nullptr);

    // The span starts again at the chart's diurnal date and the returns are listed anew (after a
    // calculation, and on opening).
    void Refresh();
    // The returns of the chosen body over the chosen span, listed.
    void cmdList_Click();
    // The selected return's chart in the Wheel window and its summary in the data window.
    void cmdShow_Click();

    // The moments listed, in the order of the rows.
    const std::vector<ReturnMoment>& moments() const { return moments_; }

private:
    void BodyChosen();

    WindowRequests& requests_;
    ReturnsWindowSlice slice_;
    std::vector<ReturnMoment> moments_;
    QLabel* lblChart_;
    QComboBox* cboBody_;
    QDateEdit* dtpFrom_;
    QSpinBox* txtDays_;
    QCheckBox* chkPrecessed_;
    QTableWidget* grdReturns_;
    QLabel* lblNote_;
};

}  // namespace orrerion::gui
