#pragma once
// The Timeline window: every run of the current calculation's last scan on one time axis, a lane
// per mover, aspect and target, grouped by family. Zoom with the wheel or +/-, pan by dragging,
// with the scroll bars and the keys; filter by family, mover, aspect and target; hover a bar for
// its report line, dates and orb, double-click it to see its line in the data window; export the
// view or the whole span (PNG, SVG, PDF) and print. It is laid out again after every calculation:
// a heading names the chart, its place and its moment, and a chart without a scan says so.
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/pictures/timeline_layout.h"
#include "core/pictures/timeline_sky.h"
#include "core/run/calculation.h"
#include "gui/pictures/timeline_presenter.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollBar;

namespace orrerion::gui {

class Dialogs;
class WindowRequests;

struct TimelineWindowSlice {
    Dialogs& dialogs;
    const Calculation& calc;
    const bool& chartComputed;  // the calculation's charts stand
    // The families ticked at first are the settings' (Preferences writes them).
    const SettingsFile& settings;
};

// The area the timeline is painted in.
class TimelineView : public QWidget {
    Q_OBJECT
public:
    static constexpr double LabelWidth = 270.0;
    static constexpr double AxisHeight = 40.0;
    static constexpr double LaneHeight = 18.0;

    explicit TimelineView(QWidget* parent = nullptr);

    // A new layout (or none before a scan) with the shown lanes; the view shows the whole span.
    void SetLayout(const TimelineLayout* layout, const ScanResult* scan, std::vector<std::uint32_t> lanes,
                   int DateOrder);
    // What the view says while it has no layout.
    void SetEmptyText(const QString& text);
    // Other lanes of the same layout (a filter changed); the days stay.
    void SetLanes(std::vector<std::uint32_t> lanes);
    // The Sky group's events drawn in its rows (none: no Sky group), of the kinds shown.
    void SetSky(const TimelineSky* sky, SkyKinds kinds);
    const TimelineSky* sky() const { return sky_; }
    // The sky event under a point of the widget, if any.
    std::optional<std::uint32_t> SkyEventAtPoint(QPointF point) const;
    // Where the hover text gets a run's exact moments (an index in the scan's runs), and the
    // diurnal place's clock their local time is read on.
    void SetMomentSource(std::function<std::vector<ExactMoment>(std::uint32_t)> momentsOf,
                         MomentClock localClock);

    TimelineViewport& viewport() { return viewport_; }
    const std::vector<std::uint32_t>& lanes() const { return lanes_; }
    TimelineFrame Frame() const;
    // The run under a point of the widget, if any.
    std::optional<std::uint32_t> RunAtPoint(QPointF point) const;
    // The hover text last shown (empty when the pointer is over no bar).
    const QString& hoverText() const { return hoverText_; }
    void Key(TimelineKey key, bool control);

signals:
    void viewChanged();
    void runActivated(std::uint32_t run);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Changed();
    void Hover(QPointF point, QPoint global);

    const TimelineLayout* layout_ = nullptr;
    const ScanResult* scan_ = nullptr;
    QString emptyText_;
    std::vector<std::uint32_t> lanes_;
    int DateOrder_ = 0;
    std::function<std::vector<ExactMoment>(std::uint32_t)> momentsOf_;
    MomentClock localClock_;
    bool symbols_ = true;  // LaneSymbolsInFont, asked once
    TimelineViewport viewport_;
    std::optional<std::uint32_t> hover_;
    const TimelineSky* sky_ = nullptr;
    SkyKinds skyKinds_ = AllSkyKinds;
    std::optional<std::uint32_t> skyHover_;
    QString hoverText_;
    std::optional<QPointF> dragFrom_;
    double dragDay_ = 0, dragRow_ = 0;
};

class TimelineWindow : public QWidget {
    Q_OBJECT
public:
    TimelineWindow(WindowRequests& requests, TimelineWindowSlice slice, QWidget* parent = nullptr);

    // Lays the timeline out again from the current chart's scan (after every calculation).
    void Refresh();

    TimelineView& view() { return *view_; }
    const TimelineLayout& layout() const { return layout_; }

    // Export the view or the whole span; print (landscape, pages along the time axis).
    void cmdExportView_Click();
    void cmdExportAll_Click();
    void cmdPrint_Click();

private:
    void ApplyFilter();
    // The status line: the runs and lanes shown over the scan's days.
    void UpdateNote();
    void SyncScrollBars();
    TimelineChoice Choice() const;
    void Export(bool wholeSpan);
    // The rows shown: the Sky group's, then the lanes the filters keep under their families' headings.
    std::vector<std::uint32_t> ShownRows() const;
    // The kinds of sky events the Sky box chooses; the events are found the first time they are shown.
    SkyKinds ChosenSkyKinds();
    // The part on show: its days and the lanes of the rows that fit the view.
    TimelinePart ViewPart() const;
    TimelinePart WholePart() const;

    WindowRequests& requests_;
    TimelineWindowSlice slice_;
    TimelineLayout layout_;
    bool scanned_ = false;
    TimelineView* view_;
    QLabel* lblChart_;
    QLabel* lblNote_;
    std::vector<QCheckBox*> families_;  // in AspectFamily order
    QComboBox* cboMover_;
    QComboBox* cboAspect_;
    QComboBox* cboTarget_;
    QComboBox* cboSky_;
    TimelineSky sky_;
    bool skyFound_ = false;  // sky_ holds the events of the current scan
    QScrollBar* hsbDays_;
    QScrollBar* vsbLanes_;
    bool syncing_ = false;
};

}  // namespace orrerion::gui
