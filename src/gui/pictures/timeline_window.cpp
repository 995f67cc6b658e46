#include "gui/pictures/timeline_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "core/aspects/aspect_scan.h"
#include "core/pictures/chart_heading.h"
#include "core/pictures/glyphs.h"
#include "core/pictures/timeline_output.h"
#include "gui/ui/window_requests.h"
#include "gui/pictures/picture_export.h"
#include "gui/pictures/picture_painting.h"
#include "gui/pictures/timeline_painter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

// Pages of a print: a view's days across, at most this many lanes down.
constexpr std::size_t LanesPerPrintPage = 45;
// A picture of the whole span grows no taller than this (lanes get thinner).
constexpr double MaxPictureHeight = 16000.0;

}  // namespace

// ---- The view -----------------------------------------------------------------------------------

TimelineView::TimelineView(QWidget* parent)
    : QWidget(parent), emptyText_(NoScanYetText), symbols_(LaneSymbolsInFont()) {
    setObjectName("picTimeline");
    setMinimumSize(500, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void TimelineView::SetMomentSource(std::function<std::vector<ExactMoment>(std::uint32_t)> momentsOf,
                                   MomentClock localClock) {
    momentsOf_ = std::move(momentsOf);
    localClock_ = std::move(localClock);
}

void TimelineView::SetLayout(const TimelineLayout* layout, const ScanResult* scan, std::vector<std::uint32_t> lanes,
                             int DateOrder) {
    layout_ = layout;
    scan_ = scan;
    lanes_ = std::move(lanes);
    DateOrder_ = DateOrder;
    hover_.reset();
    hoverText_.clear();
    viewport_.visibleRows = Frame().height / LaneHeight;
    viewport_.ShowAll(layout ? layout->ScanDays : 1, lanes_.size());
    Changed();
}

void TimelineView::SetSky(const TimelineSky* sky, SkyKinds kinds) {
    sky_ = sky;
    skyKinds_ = kinds;
    skyHover_.reset();
    update();
}

std::optional<std::uint32_t> TimelineView::SkyEventAtPoint(QPointF point) const {
    if (!layout_ || !sky_) return std::nullopt;
    return SkyEventAt(*sky_, layout_->DiurnalJD, lanes_, Frame(), skyKinds_, point.x(), point.y());
}

void TimelineView::SetEmptyText(const QString& text) {
    emptyText_ = text;
    update();
}

void TimelineView::SetLanes(std::vector<std::uint32_t> lanes) {
    lanes_ = std::move(lanes);
    viewport_.rows = lanes_.size();
    viewport_.Clamp();
    hover_.reset();
    Changed();
}

TimelineFrame TimelineView::Frame() const {
    TimelineFrame frame;
    frame.fromDay = viewport_.fromDay;
    frame.toDay = viewport_.fromDay + viewport_.days;
    frame.left = LabelWidth;
    frame.top = AxisHeight;
    frame.width = std::max(1.0, width() - LabelWidth - 8);
    frame.height = std::max(1.0, height() - AxisHeight - 2);
    frame.laneHeight = LaneHeight;
    frame.firstRow = viewport_.firstRow;
    return frame;
}

std::optional<std::uint32_t> TimelineView::RunAtPoint(QPointF point) const {
    if (!layout_) return std::nullopt;
    return RunAt(*layout_, lanes_, Frame(), point.x(), point.y());
}

void TimelineView::Changed() {
    update();
    emit viewChanged();
}

void TimelineView::Key(TimelineKey key, bool control) {
    ApplyTimelineKey(viewport_, key, control);
    Changed();
}

void TimelineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(ColourRole::Background));
    if (!layout_) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap, emptyText_);
        return;
    }
    TimelinePaint paint{*layout_, lanes_, Frame(), 4.0, DateOrder_, hover_, layout_->runs.empty() && !sky_,
                        symbols_, sky_, skyKinds_, skyHover_};
    PaintTimeline(painter, paint);
}

void TimelineView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    viewport_.visibleRows = Frame().height / LaneHeight;
    viewport_.Clamp();
    emit viewChanged();
}

void TimelineView::wheelEvent(QWheelEvent* event) {
    if (!layout_) return;
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const TimelineFrame frame = Frame();
    const double x = std::clamp<double>(event->position().x(), frame.left, frame.left + frame.width);
    viewport_.ZoomAround(std::pow(1.25, steps), frame.DayAt(x));
    Changed();
    event->accept();
}

void TimelineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragFrom_ = event->position();
    dragDay_ = viewport_.fromDay;
    dragRow_ = viewport_.firstRow;
    setCursor(Qt::ClosedHandCursor);
}

void TimelineView::mouseMoveEvent(QMouseEvent* event) {
    if (dragFrom_ && (event->buttons() & Qt::LeftButton)) {
        const QPointF moved = event->position() - *dragFrom_;
        viewport_.fromDay = dragDay_ - moved.x() / Frame().PixelsPerDay();
        viewport_.firstRow = dragRow_ - moved.y() / LaneHeight;
        viewport_.Clamp();
        Changed();
        return;
    }
    Hover(event->position(), event->globalPosition().toPoint());
}

void TimelineView::mouseReleaseEvent(QMouseEvent*) {
    dragFrom_.reset();
    unsetCursor();
}

void TimelineView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const std::optional<std::uint32_t> run = RunAtPoint(event->position())) emit runActivated(*run);
}

void TimelineView::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
        case Qt::Key_Left: Key(TimelineKey::Left, control); break;
        case Qt::Key_Right: Key(TimelineKey::Right, control); break;
        case Qt::Key_Up: Key(TimelineKey::Up, control); break;
        case Qt::Key_Down: Key(TimelineKey::Down, control); break;
        case Qt::Key_PageUp: Key(TimelineKey::PageUp, control); break;
        case Qt::Key_PageDown: Key(TimelineKey::PageDown, control); break;
        case Qt::Key_Home: Key(TimelineKey::Home, control); break;
        case Qt::Key_End: Key(TimelineKey::End, control); break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
        case Qt::Key_Minus: {
            // Around the pointer when it is over the bars, else around the middle.
            const bool in = event->key() != Qt::Key_Minus;
            const TimelineFrame frame = Frame();
            const QPointF pointer = mapFromGlobal(QCursor::pos());
            if (pointer.x() >= frame.left && pointer.x() <= frame.left + frame.width && rect().contains(pointer.toPoint())) {
                viewport_.ZoomAround(in ? 1.5 : 1 / 1.5, frame.DayAt(pointer.x()));
                Changed();
            } else {
                Key(in ? TimelineKey::ZoomIn : TimelineKey::ZoomOut, control);
            }
            break;
        }
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void TimelineView::leaveEvent(QEvent*) {
    if (hover_) {
        hover_.reset();
        hoverText_.clear();
        update();
    }
}

void TimelineView::Hover(QPointF point, QPoint global) {
    const std::optional<std::uint32_t> run = RunAtPoint(point);
    const std::optional<std::uint32_t> skyEvent = run ? std::nullopt : SkyEventAtPoint(point);
    if (run == hover_ && skyEvent == skyHover_) return;
    hover_ = run;
    skyHover_ = skyEvent;
    hoverText_.clear();
    if (skyEvent) hoverText_ = QString::fromStdString(SkyEventHoverText(sky_->events[*skyEvent], localClock_));
    if (run && scan_ && layout_->runs[*run].scanRun < scan_->runs.size()) {
        const TimelineRun& bar = layout_->runs[*run];
        const std::vector<ExactMoment> moments = momentsOf_ ? momentsOf_(bar.scanRun) : std::vector<ExactMoment>{};
        hoverText_ = QString::fromStdString(RunHoverText(*layout_, *scan_, bar, moments, localClock_));
    }
    if (hoverText_.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(global, hoverText_, this);
    }
    update();
}

// ---- The window ---------------------------------------------------------------------------------

TimelineWindow::TimelineWindow(WindowRequests& requests, TimelineWindowSlice slice, QWidget* parent)
    : QWidget(parent, Qt::Window),
      requests_(requests),
      slice_(slice),
      view_(new TimelineView),
      lblChart_(new QLabel),
      lblNote_(new QLabel),
      cboMover_(new QComboBox),
      cboAspect_(new QComboBox),
      cboTarget_(new QComboBox),
      cboSky_(new QComboBox),
      hsbDays_(new QScrollBar(Qt::Horizontal)),
      vsbLanes_(new QScrollBar(Qt::Vertical)) {
    SetUpWindow(*this, "Timeline", "Aspect Timeline");
    NameControls({{lblNote_, "lblNote"}, {cboMover_, "cboMover"}, {cboAspect_, "cboAspect"},
                  {cboTarget_, "cboTarget"}, {cboSky_, "cboSky"}, {hsbDays_, "hsbDays"}, {vsbLanes_, "vsbLanes"}});
    SetUpHeading(*lblChart_);

    auto* familyBox = new QGroupBox("Families");
    familyBox->setObjectName("fraFamilies");
    auto* familyRow = new QHBoxLayout(familyBox);
    for (const FamilyInfo& family : ScanFamilies) {
        auto* box = new QCheckBox(QString::fromStdString(FamilyShortName(family.family)));
        box->setObjectName(FamilyBoxName(family.family));
        box->setToolTip(QString::fromUtf8(family.label.data(), static_cast<qsizetype>(family.label.size())));
        familyRow->addWidget(box);
        families_.push_back(box);
        connect(box, &QCheckBox::toggled, this, &TimelineWindow::ApplyFilter);
    }

    auto fillPoints = [](QComboBox* box) {
        box->addItem("any", 0);
        // The report lines' names, which are no wider than the twelve's ("TN NODE").
        for (int body = 1; body <= PointSlotCount; ++body) {
            const std::string_view name = PointName(body);
            box->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.find_last_not_of(' ') + 1)), body);
        }
    };
    fillPoints(cboMover_);
    fillPoints(cboTarget_);
    cboMover_->setToolTip("Show only the lanes of this moving point");
    cboAspect_->setToolTip("Show only the lanes of this aspect");
    cboTarget_->setToolTip("Show only the lanes of this target point");
    cboAspect_->addItem("any", 0);
    for (int code = 2; code <= 10; ++code) cboAspect_->addItem(QString::fromUtf8(AspectWord(code).data()), code);
    auto* filterBox = new QGroupBox("Show");
    filterBox->setObjectName("fraFilter");
    auto* filterRow = new QHBoxLayout(filterBox);
    // The sky's events above the lanes: all kinds, none, or one kind.
    cboSky_->addItem("all events", AllSkyKinds);
    cboSky_->addItem("none", 0);
    for (const SkyEventKindRow& row : SkyEventKinds) {
        cboSky_->addItem(QString::fromUtf8(row.label.data(), static_cast<qsizetype>(row.label.size())),
                         1u << SkyEventKindIndex(row.kind));
    }
    cboSky_->setToolTip("The sky's own events in a Sky group above the lanes: stations and retrograde periods, "
                        "ingresses, lunations, eclipses and the void-of-course Moon");
    for (auto [caption, box] : {std::pair{"&Mover", cboMover_}, std::pair{"&Aspect", cboAspect_},
                                std::pair{"&Target", cboTarget_}, std::pair{"S&ky", cboSky_}}) {
        auto* label = new QLabel(caption);
        label->setBuddy(box);
        filterRow->addWidget(label);
        filterRow->addWidget(box);
        connect(box, &QComboBox::currentIndexChanged, this, &TimelineWindow::ApplyFilter);
    }

    auto button = [this](const char* caption, const char* name) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* cmdZoomIn = button("Zoom &in (+)", "cmdZoomIn");
    QPushButton* cmdZoomOut = button("Zoom &out (-)", "cmdZoomOut");
    QPushButton* cmdWhole = button("&Whole span", "cmdWhole");
    QPushButton* cmdExportView = button("Export &view...", "cmdExportView");
    QPushButton* cmdExportAll = button("&Export all...", "cmdExportAll");
    QPushButton* cmdPrint = button("&Print...", "cmdPrint");
    QPushButton* cmdClose = button("&Close", "cmdClose");
    cmdZoomIn->setToolTip("Fewer days across the window (+, or the mouse wheel)");
    cmdZoomOut->setToolTip("More days across the window (-, or the mouse wheel)");
    cmdWhole->setToolTip("All the scanned days across the window");
    cmdExportView->setToolTip("Save what the window shows as PNG, SVG or PDF");
    cmdExportAll->setToolTip("Save the whole scan of the families shown as PNG, SVG or PDF (Ctrl+S)");
    cmdPrint->setToolTip("Print the whole scan along the time axis, landscape (Ctrl+P)");
    cmdClose->setToolTip("Close the window (Escape)");

    // The choices in one row and the buttons in the next, so that the window fits a laptop's
    // screen (1366 pixels across) with room to spare.
    auto* choices = new QHBoxLayout;
    choices->addWidget(familyBox);
    choices->addWidget(filterBox);
    choices->addStretch();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdZoomIn, cmdZoomOut, cmdWhole}) buttons->addWidget(b);
    buttons->addStretch();
    for (QPushButton* b : {cmdExportView, cmdExportAll, cmdPrint, cmdClose}) buttons->addWidget(b);
    auto* controls = new QVBoxLayout;
    controls->addLayout(choices);
    controls->addLayout(buttons);

    auto* picture = new QGridLayout;
    picture->setSpacing(0);
    picture->addWidget(view_, 0, 0);
    picture->addWidget(vsbLanes_, 0, 1);
    picture->addWidget(hsbDays_, 1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChart_);
    layout->addLayout(controls);
    layout->addWidget(lblNote_);
    layout->addLayout(picture, 1);

    connect(cmdZoomIn, &QPushButton::clicked, this, [this] { view_->Key(TimelineKey::ZoomIn, false); });
    connect(cmdZoomOut, &QPushButton::clicked, this, [this] { view_->Key(TimelineKey::ZoomOut, false); });
    connect(cmdWhole, &QPushButton::clicked, this, [this] {
        view_->viewport().fromDay = 0;
        view_->viewport().days = view_->viewport().scanDays;
        view_->Key(TimelineKey::Home, false);
    });
    connect(cmdExportView, &QPushButton::clicked, this, &TimelineWindow::cmdExportView_Click);
    connect(cmdExportAll, &QPushButton::clicked, this, &TimelineWindow::cmdExportAll_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &TimelineWindow::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    connect(view_, &TimelineView::viewChanged, this, &TimelineWindow::SyncScrollBars);
    connect(view_, &TimelineView::runActivated, this, [this](std::uint32_t run) {
        const RunListingLine line = ListingLineOf(slice_.calc.scan, layout_.runs[run]);
        requests_.ShowListingLine(QString::fromStdString(line.heading), QString::fromStdString(line.line));
    });
    connect(hsbDays_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        view_->viewport().fromDay = value;
        view_->viewport().Clamp();
        view_->update();
    });
    connect(vsbLanes_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        view_->viewport().firstRow = value;
        view_->viewport().Clamp();
        view_->update();
    });
    AddPictureWindowKeys(*this, [this] { cmdPrint_Click(); }, [this] { cmdExportAll_Click(); });

    resize(1100, 720);
    Refresh();
    view_->setFocus();
}

TimelineChoice TimelineWindow::Choice() const {
    TimelineChoice choice;
    for (std::size_t i = 0; i < FamilyCount; ++i) choice.families[i] = families_[i]->isChecked();
    choice.mover = cboMover_->currentData().toInt();
    choice.AspectCode = cboAspect_->currentData().toInt();
    choice.target = cboTarget_->currentData().toInt();
    return choice;
}

std::vector<std::uint32_t> TimelineWindow::ShownRows() const {
    std::vector<std::uint32_t> rows;
    const SkyKinds kinds = static_cast<SkyKinds>(cboSky_->currentData().toUInt());
    if (skyFound_ && kinds) rows = SkyRows(sky_, kinds);
    const std::vector<std::uint32_t> lanes = WithFamilyHeadings(layout_, ShownLanes(layout_, FilterOf(Choice())));
    rows.insert(rows.end(), lanes.begin(), lanes.end());
    return rows;
}

SkyKinds TimelineWindow::ChosenSkyKinds() {
    const SkyKinds kinds = static_cast<SkyKinds>(cboSky_->currentData().toUInt());
    if (kinds && scanned_ && !skyFound_) {
        // Found once per scan, for every kind, so that another choice costs nothing.
        BusyPointer busy(slice_.dialogs);
        SkyEventRequest request;
        request.fromJD = layout_.DiurnalJD;
        request.days = layout_.ScanDays;
        request.orbDeg = slice_.settings.settings.eventOrb;
        sky_ = LayOutSky(FindSkyEvents(slice_.calc.chart, slice_.calc.eph.Source, request));
        skyFound_ = true;
    }
    return skyFound_ ? kinds : 0;
}

void TimelineWindow::Refresh() {
    const ScanResult& scan = slice_.calc.scan;
    scanned_ = scan.ScanDays > 0;
    layout_ = scanned_ ? LayOutTimeline(scan) : TimelineLayout{};
    sky_ = TimelineSky{};
    skyFound_ = false;
    // The sky's events are shown at once for scans of up to ten years; a longer scan finds them
    // when they are chosen.
    syncing_ = true;
    cboSky_->setCurrentIndex(scan.ScanDays <= SkyShownDays ? 0 : 1);
    syncing_ = false;
    const SkyKinds skyKinds = ChosenSkyKinds();
    // The families the settings choose.
    const FamilySet& ticked = slice_.settings.settings.timelineFamilies;
    syncing_ = true;
    for (std::size_t i = 0; i < FamilyCount; ++i) families_[i]->setChecked(ticked[i]);
    syncing_ = false;
    view_->SetMomentSource(
        [this](std::uint32_t run) {
            const Calculation& calc = slice_.calc;
            return ExactMomentsOfRun(calc.chart, calc.eph, calc.options, calc.scan, run);
        },
        MomentClock{slice_.calc.chart.input.DiurnalZone, slice_.calc.DiurnalZoneName});
    view_->SetSky(skyFound_ ? &sky_ : nullptr, skyKinds);
    view_->SetLayout(scanned_ ? &layout_ : nullptr, &scan, ShownRows(), slice_.calc.DateOrder);
    view_->SetEmptyText(MissingScanText(slice_.chartComputed));
    lblChart_->setText(QString::fromStdString(slice_.chartComputed ? ChartHeading(slice_.calc.chart) : NoChartHeading));
    UpdateNote();
}

void TimelineWindow::UpdateNote() {
    QString note;
    if (!scanned_) {
        note = slice_.chartComputed ? "Scan not run for this chart." : "No scan yet.";
    } else if (layout_.runs.empty()) {
        note = NoRunsText;
    } else {
        // The runs and lanes the filters show, and of how many when they hide some.
        const std::vector<std::uint32_t>& shown = view_->lanes();
        std::size_t runs = 0;
        std::size_t lanes = 0;
        for (const std::uint32_t lane : shown) {
            if (!IsLaneRow(lane)) continue;
            runs += layout_.lanes[lane].runCount;
            ++lanes;
        }
        const bool all = lanes == layout_.lanes.size();
        note = (all ? QString("%1 runs in %2 lanes").arg(runs).arg(lanes)
                    : QString("%1 of %2 runs in %3 of %4 lanes")
                          .arg(runs)
                          .arg(layout_.runs.size())
                          .arg(lanes)
                          .arg(layout_.lanes.size())) +
               QString(" over %1 days from %2.")
                   .arg(layout_.ScanDays)
                   .arg(QString::fromStdString(DateDdMmmYyyy(JulianDayToCalendar(layout_.DiurnalJD))));
    }
    lblNote_->setText(note);
}

void TimelineWindow::ApplyFilter() {
    if (syncing_) return;
    const SkyKinds skyKinds = ChosenSkyKinds();
    view_->SetSky(skyFound_ ? &sky_ : nullptr, skyKinds);
    view_->SetLanes(ShownRows());
    UpdateNote();
}

void TimelineWindow::SyncScrollBars() {
    const TimelineViewport& v = view_->viewport();
    syncing_ = true;
    hsbDays_->setRange(0, static_cast<int>(std::max(0.0, std::ceil(v.scanDays - v.days))));
    hsbDays_->setPageStep(std::max(1, static_cast<int>(v.days)));
    hsbDays_->setSingleStep(std::max(1, static_cast<int>(v.days / 10)));
    hsbDays_->setValue(static_cast<int>(std::lround(v.fromDay)));
    const int rows = static_cast<int>(v.rows);
    const int visible = static_cast<int>(std::floor(v.visibleRows));
    vsbLanes_->setRange(0, std::max(0, rows - visible));
    vsbLanes_->setPageStep(std::max(1, visible));
    vsbLanes_->setValue(static_cast<int>(std::lround(v.firstRow)));
    syncing_ = false;
}

TimelinePart TimelineWindow::ViewPart() const {
    TimelinePart part;
    const TimelineFrame frame = view_->Frame();
    part.fromDay = frame.fromDay;
    part.toDay = frame.toDay;
    const auto [from, to] = frame.VisibleRows(view_->lanes().size());
    part.lanes.assign(view_->lanes().begin() + static_cast<std::ptrdiff_t>(from),
                      view_->lanes().begin() + static_cast<std::ptrdiff_t>(to));
    if (skyFound_) {
        part.sky = &sky_;
        part.skyKinds = static_cast<SkyKinds>(cboSky_->currentData().toUInt());
    }
    return part;
}

TimelinePart TimelineWindow::WholePart() const {
    TimelinePart part = ChooseTimelinePart(layout_, FilterOf(Choice()), 0, std::max(1, layout_.ScanDays));
    const SkyKinds kinds = static_cast<SkyKinds>(cboSky_->currentData().toUInt());
    if (skyFound_ && kinds) AddSkyToPart(part, sky_, kinds);
    return part;
}

void TimelineWindow::Export(bool wholeSpan) {
    if (!scanned_) {
        slice_.dialogs.MessageBox(this, MissingScanText(slice_.chartComputed), "Information",
                                  MessageIcon::Information);
        return;
    }
    const TimelinePart part = wholeSpan ? WholePart() : ViewPart();
    TimelineSheet sheet;
    sheet.headingHeight = TimelineHeadingHeight;
    sheet.title = TimelineTitle(layout_, part, slice_.calc.chart.ChartName);
    sheet.laneHeight = TimelineView::LaneHeight;
    const double rows = static_cast<double>(std::max<std::size_t>(1, part.lanes.size()));
    sheet.laneHeight = std::clamp((MaxPictureHeight - sheet.headingHeight - sheet.axisHeight - 2 * sheet.margin) / rows,
                                  2.0, sheet.laneHeight);
    const int DateOrder = slice_.calc.DateOrder;
    const std::string title = "Aspect timeline: " + slice_.calc.chart.ChartName;
    PictureExport request;
    request.title = wholeSpan ? "Export the whole timeline" : "Export the timeline's view";
    request.proposedName = QString::fromStdString(ProposedPictureFileName(slice_.calc.chart.ChartName, "timeline", "png"));
    request.initialDir = QString::fromStdString(slice_.calc.ProgramDir.string());
    request.pngSize = QSize(static_cast<int>(sheet.width), static_cast<int>(std::ceil(SheetHeight(sheet, part))));
    request.pdfOrientation = QPageLayout::Landscape;
    request.paint = [&](QPainter& painter, const QRectF& area) {
        PaintTimelineSheet(painter, layout_, part, sheet, DateOrder, area);
    };
    request.svg = [&] { return TimelineSvg(layout_, slice_.calc.scan, part, sheet, DateOrder, title); };
    const QString written = ExportPicture(this, slice_.dialogs, request);
    if (!written.isEmpty()) lblNote_->setText(SavedText(written));
}

void TimelineWindow::cmdExportView_Click() { Export(false); }
void TimelineWindow::cmdExportAll_Click() { Export(true); }

void TimelineWindow::cmdPrint_Click() {
    if (!scanned_) {
        slice_.dialogs.MessageBox(this, MissingScanText(slice_.chartComputed), "Information",
                                  MessageIcon::Information);
        return;
    }
    std::vector<TimelinePrintPage> pages =
        TimelinePrintPages(layout_, FilterOf(Choice()), view_->viewport().days, LanesPerPrintPage);
    // Every page carries the Sky group of its days above its lanes.
    const SkyKinds skyKinds = static_cast<SkyKinds>(cboSky_->currentData().toUInt());
    if (skyFound_ && skyKinds) {
        for (TimelinePrintPage& page : pages) AddSkyToPart(page.part, sky_, skyKinds);
    }
    TimelineSheet sheet;
    sheet.laneHeight = 16;
    sheet.headingHeight = TimelineHeadingHeight;
    const int DateOrder = slice_.calc.DateOrder;
    PrintPicture(this, slice_.dialogs, QPageLayout::Landscape, static_cast<int>(pages.size()),
                 [&](QPainter& painter, const QRectF& area, int page) {
                     const TimelinePart& part = pages[static_cast<std::size_t>(page)].part;
                     // The page's width holds the sheet; its height as many lanes as a page takes,
                     // under the heading with the title, the key and the page number.
                     TimelineSheet pageSheet = sheet;
                     pageSheet.title = TimelineTitle(layout_, part, slice_.calc.chart.ChartName);
                     pageSheet.page = PageText(page + 1, static_cast<int>(pages.size()));
                     const double pageHeight = sheet.width * area.height() / area.width();
                     pageSheet.laneHeight =
                         std::min(24.0, (pageHeight - sheet.headingHeight - sheet.axisHeight - 2 * sheet.margin) /
                                            static_cast<double>(LanesPerPrintPage));
                     PaintTimelineSheet(painter, layout_, part, pageSheet, DateOrder, area);
                 });
}

}  // namespace orrerion::gui
