#pragma once
// The Export window (Data > Export...): the current chart's scan, its runs and exact moments
// written as a calendar, a table or JSON. A heading names the chart, its place and its moment. The person chooses the format, the families and, in the save dialog,
// the file; the core writes it.
#include <QWidget>
#include <array>

#include "core/records/settings_file.h"
#include "core/run/calculation.h"
#include "gui/output/export_presenter.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace orrerion::gui {

class Dialogs;

struct ExportWindowSlice {
    Dialogs& dialogs;
    const Calculation& calc;
    const bool& chartComputed;  // the calculation's charts stand
    ExportWindowState& state;  // kept between openings
    const SettingsFile& settings;  // the lunations' and eclipses' orb
};

class ExportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ExportWindow(ExportWindowSlice slice, QWidget* parent = nullptr);

    // Shows the current chart and what its scan holds (after a calculation, or when brought
    // forward).
    void Refresh();

public slots:
    void cmdExport_Click();

protected:
    void changeEvent(QEvent* event) override;

private:
    // The controls into the kept state.
    void TakeChoice();

    ExportWindowSlice slice_;
    QLabel* lblChart_;
    QLabel* lblScan_;
    QRadioButton* optCalendar_;
    QRadioButton* optCsv_;
    QRadioButton* optJson_;
    std::array<QCheckBox*, FamilyCount> chkFamilies_{};
    QCheckBox* chkRunEvents_;
    std::array<QCheckBox*, SkyEventKindCount> chkEvents_{};
};

}  // namespace orrerion::gui
