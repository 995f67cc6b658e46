#pragma once
// The Wheel window: the current calculation drawn as a chart wheel, with the rings chosen in the
// window (natal with up to two of progressed, solar arc and transits), the ascendant or 0° Aries
// at the left, and printing and export (PNG, SVG, PDF). It follows every calculation; a heading
// names the chart, its place and its moment. In place of the rings it can draw a return chart of
// the calculation inside the natal chart, until the next calculation or the Wheel command.
#include <QWidget>
#include <array>
#include <optional>

#include "core/pictures/wheel_layout.h"
#include "core/run/calculation.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace orrerion::gui {

class Dialogs;

struct WheelWindowSlice {
    Dialogs& dialogs;
    const Calculation& calc;
    const bool& chartComputed;
    // The rings and orientation are settings: the window reads them and writes its changes back
    // to SETTINGS.TXT of the data folder.
    SettingsFile& settings;
    bool& outerAspects;  // kept between openings
};

// The area the wheel is painted in; it keeps the picture square and centred at any size.
class WheelView : public QWidget {
    Q_OBJECT
public:
    explicit WheelView(QWidget* parent = nullptr);
    void SetLayout(std::optional<WheelLayout> layout);
    const std::optional<WheelLayout>& layout() const { return layout_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<WheelLayout> layout_;
};

class WheelWindow : public QWidget {
    Q_OBJECT
public:
    explicit WheelWindow(WheelWindowSlice slice, QWidget* parent = nullptr);

    // Lays the wheel out again from the calculation (after a calculation or a change of houses), or
    // the return chart shown.
    void Refresh();
    // The return chart inside the natal chart, in place of the chosen rings.
    void ShowReturn(const ReturnChart& chart);
    // The calculation's charts with the chosen rings again.
    void ShowCalculation();
    bool showsReturn() const { return return_.has_value(); }

public slots:
    void cmdPrint_Click();
    void cmdExport_Click();

protected:
    // Coming forward, the window takes up settings changed meanwhile (Preferences).
    void changeEvent(QEvent* event) override;

private:
    void RingClicked(WheelRing ring, QCheckBox* box);
    void OrientationClicked();
    // The window's choice into the settings, saved; a file that cannot be written is reported.
    void StoreChoice();

    WheelWindowSlice slice_;
    WheelChoice choice_;
    std::optional<ReturnChart> return_;
    WheelView* view_;
    QLabel* lblChart_;
    QLabel* lblNote_;
    std::array<QCheckBox*, WheelRingCount> ringBoxes_{};  // by RingIndex: the outer rings' boxes only
    QCheckBox* chkOuterAspects_;
    QRadioButton* optAscendantLeft_;
    QRadioButton* optAriesLeft_;
};

}  // namespace orrerion::gui
