#include "gui/pictures/timeline_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "core/pictures/glyphs.h"
#include "gui/pictures/picture_painting.h"

namespace orrerion::gui {
namespace {

// Bars narrower than this many pixels are drawn as one block, without core, marks or arrows.
constexpr double NarrowBarPixels = 4.0;

QColor Faded(ColourRole role, double opacity) {
    QColor c = ToQColor(role);
    c.setAlphaF(static_cast<float>(opacity));
    return c;
}

template <std::size_t N>
QPolygonF Polygon(const std::array<std::pair<double, double>, N>& points) {
    QPolygonF polygon;
    for (const auto& [x, y] : points) polygon << QPointF(x, y);
    return polygon;
}

}  // namespace

bool LaneSymbolsInFont() {
    QString all;
    for (int body = 1; body <= PointSlotCount; ++body) all += QString::fromUtf8(BodyGlyph(body).data());
    for (int code = 2; code <= 10; ++code) all += QString::fromUtf8(AspectGlyph(code).data());
    return FontHasText(SymbolFont(), all);
}

void PaintTimeline(QPainter& painter, const TimelinePaint& p) {
    const TimelineFrame& frame = p.frame;
    const TimelineLayout& layout = p.layout;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double right = frame.left + frame.width;
    const double bottom = frame.top + frame.height;
    const auto [rowFrom, rowTo] = frame.VisibleRows(p.lanes.size());

    // Bands behind every other family, and the labels, clipped to the lanes' area.
    painter.setClipRect(QRectF(p.labelLeft, frame.top, right - p.labelLeft, frame.height));
    const QFont symbols = SymbolFont();
    const QFont text = TextFont();
    const double textSize = frame.laneHeight * LaneTextScale;
    const double labelWidth = frame.left - p.labelLeft - 4;
    for (std::size_t row = rowFrom; row < rowTo; ++row) {
        const double y = frame.RowTop(row);
        if (p.lanes[row] == SkyHeadingRow || IsSkyRow(p.lanes[row])) {
            if (p.lanes[row] == SkyHeadingRow) {
                QFont heading = text;
                heading.setBold(true);
                DrawTextInBox(painter, QRectF(p.labelLeft + 2, y, frame.left - p.labelLeft - 4, frame.laneHeight),
                              SkyTitle, textSize, heading, ColourRole::Ink, BoxAlign::Left);
                painter.setPen(RolePen(ColourRole::Ink, 0.5, LineStyle::Solid));
                painter.drawLine(QPointF(p.labelLeft, y + frame.laneHeight - 0.5),
                                 QPointF(right, y + frame.laneHeight - 0.5));
            } else if (p.sky) {
                const SkyRow& skyRow = p.sky->rows[p.lanes[row] & ~SkyRowFlag];
                const QRectF glyphBox(p.labelLeft + 2, y, std::min(GlyphLabelWidth, labelWidth) - 4, frame.laneHeight);
                DrawTextInBox(painter, glyphBox, SkyRowGlyphLabel(skyRow), textSize, p.symbols ? symbols : text,
                              ColourRole::Ink, BoxAlign::Left);
                const QRectF nameBox(p.labelLeft + GlyphLabelWidth, y, std::max(1.0, labelWidth - GlyphLabelWidth),
                                     frame.laneHeight);
                DrawTextInBox(painter, nameBox, SkyRowLabel(skyRow), textSize, text, ColourRole::Ink, BoxAlign::Left);
            }
            continue;
        }
        if (IsHeadingRow(p.lanes[row])) {
            // The family's heading across the label column, a rule under it across the lanes.
            QFont heading = text;
            heading.setBold(true);
            DrawTextInBox(painter, QRectF(p.labelLeft + 2, y, frame.left - p.labelLeft - 4, frame.laneHeight),
                          FamilyTitle(HeadingFamily(p.lanes[row])), textSize, heading, ColourRole::Ink, BoxAlign::Left);
            painter.setPen(RolePen(ColourRole::Ink, 0.5, LineStyle::Solid));
            painter.drawLine(QPointF(p.labelLeft, y + frame.laneHeight - 0.5), QPointF(right, y + frame.laneHeight - 0.5));
            continue;
        }
        const TimelineLane& lane = layout.lanes[p.lanes[row]];
        if (FamilyRank(lane.family) % 2 == 1) {
            painter.fillRect(QRectF(p.labelLeft, y, right - p.labelLeft, frame.laneHeight), ToQColor(ColourRole::Band));
        }
        const QRectF glyphBox(p.labelLeft + 2, y, std::min(GlyphLabelWidth, labelWidth) - 4, frame.laneHeight);
        if (p.symbols) {
            DrawTextInBox(painter, glyphBox, LaneGlyphLabel(lane), textSize, symbols, ColourRole::Ink, BoxAlign::Left);
        } else {
            const std::string shortText = std::string(BodyShortText(lane.mover)) + " " +
                                          std::string(AspectShortText(lane.AspectCode)) + " " +
                                          std::string(BodyShortText(lane.target));
            DrawTextInBox(painter, glyphBox, shortText, textSize, text, ColourRole::Ink, BoxAlign::Left);
        }
        const QRectF nameBox(p.labelLeft + GlyphLabelWidth, y, std::max(1.0, labelWidth - GlyphLabelWidth),
                             frame.laneHeight);
        DrawTextInBox(painter, nameBox, LaneLabel(lane), textSize, text, ColourRole::Ink, BoxAlign::Left);
    }

    // The axis above the lanes; major ticks run down through them.
    painter.setClipRect(QRectF(frame.left - 1, 0, frame.width + 2, bottom + 1));
    painter.setPen(RolePen(ColourRole::Ink, 1.0, LineStyle::Solid));
    painter.drawLine(QPointF(frame.left, frame.top), QPointF(right, frame.top));
    QFont axisFont = text;
    axisFont.setPixelSize(static_cast<int>(AxisTextSize));
    painter.setFont(axisFont);
    const QPen faint = RolePen(ColourRole::Faint, 1.0, LineStyle::Solid);
    QPen grid = RolePen(ColourRole::Band, 1.0, LineStyle::Solid);
    for (const TimelineTick& tick : TimelineTicks(layout.DiurnalJD, frame.fromDay, frame.toDay, frame.PixelsPerDay(),
                                                  p.DateOrder)) {
        const double x = std::round(frame.X(tick.day)) + 0.5;
        if (tick.major) {
            painter.setPen(grid);
            painter.drawLine(QPointF(x, frame.top), QPointF(x, bottom));
        }
        painter.setPen(faint);
        painter.drawLine(QPointF(x, frame.top - (tick.major ? 8 : 4)), QPointF(x, frame.top));
        if (tick.major) {
            painter.setPen(ToQColor(ColourRole::Ink));
            const QString label = QString::fromStdString(tick.label);
            const double width = QFontMetricsF(axisFont).horizontalAdvance(label);
            painter.drawText(QPointF(TickLabelLeft(x, width, right), frame.top - 12), label);
        }
    }

    // The runs.
    painter.setClipRect(QRectF(frame.left, frame.top, frame.width, frame.height));
    if (p.noRuns) {
        painter.setPen(ToQColor(ColourRole::Ink));
        painter.drawText(QRectF(frame.left + 8, frame.top, frame.width - 16, frame.laneHeight * 2),
                         Qt::AlignLeft | Qt::AlignVCenter, NoRunsText);
    }
    painter.setPen(Qt::NoPen);
    const QPen exactPen = RolePen(ColourRole::Ink, 1.0, LineStyle::Solid);
    ForEachVisibleRun(layout, p.lanes, frame, true, [&](std::size_t, const TimelineRun& run, const RunShape& shape) {
        const ColourRole role = layout.lanes[run.lane].role;
        if (shape.mark) {
            painter.fillRect(QRectF(std::floor(shape.x0), shape.y, 1.0, shape.h), ToQColor(role));
            return;
        }
        if (shape.x1 - shape.x0 < NarrowBarPixels) {
            // Too narrow to show its shading: one block, as dark as the bar's middle.
            painter.fillRect(QRectF(shape.x0, shape.y, std::max(1.0, shape.x1 - shape.x0), shape.h),
                             Faded(role, run.markCount ? RunOpacityExact * 0.85 : RunOpacityFar * 1.5));
            return;
        }
        painter.fillRect(QRectF(shape.x0, shape.y, shape.x1 - shape.x0, shape.h), Faded(role, RunOpacityFar));
        const auto core = RunCoreOutline(layout, run, shape, frame);
        if (!core.empty()) {
            QPolygonF polygon;
            for (const auto& [x, y] : core) polygon << QPointF(x, y);
            painter.setBrush(Faded(role, RunOpacityExact * 0.75));
            painter.setRenderHint(QPainter::Antialiasing, true);
            painter.drawPolygon(polygon);
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        for (const bool atStart : {true, false}) {
            if (!(atStart ? shape.openStart : shape.openEnd)) continue;
            painter.setBrush(Faded(role, RunOpacityFar));
            painter.drawPolygon(Polygon(OpenEndArrow(shape, atStart)));
        }
        const auto marks = layout.MarksOf(run);
        if (!marks.empty()) {
            painter.setPen(exactPen);
            for (const std::int16_t m : marks) {
                const double x = frame.X(m + 0.5);
                if (x >= shape.x0 && x <= shape.x1) painter.drawLine(QPointF(x, shape.y - 1), QPointF(x, shape.y + shape.h + 1));
            }
            painter.setPen(Qt::NoPen);
        }
        if (p.highlight && &run == &layout.runs[*p.highlight]) {
            painter.setPen(RolePen(ColourRole::Ink, 1.5, LineStyle::Solid));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(shape.x0, shape.y, shape.x1 - shape.x0, shape.h));
            painter.setPen(Qt::NoPen);
        }
    });

    // The sky's events: periods as bars, moments as marks; an eclipse on a natal point wider and
    // outlined.
    if (p.sky) {
        ForEachVisibleSkyEvent(*p.sky, layout.DiurnalJD, p.lanes, frame, p.skyKinds,
                               [&](std::size_t, std::uint32_t event, const SkyShape& shape) {
                                   const QRectF box(shape.x0, shape.y, std::max(1.0, shape.x1 - shape.x0), shape.h);
                                   painter.fillRect(box, Faded(shape.role, shape.period ? RunOpacityExact * 0.6 : RunOpacityExact));
                                   if (shape.strong || p.skyHighlight == event) {
                                       painter.setPen(RolePen(ColourRole::Ink, shape.strong ? 1.0 : 1.5, LineStyle::Solid));
                                       painter.setBrush(Qt::NoBrush);
                                       painter.drawRect(box);
                                       painter.setPen(Qt::NoPen);
                                   }
                               });
    }

    // The diurnal date.
    if (frame.fromDay <= 0 && 0 < frame.toDay) {
        painter.setClipping(false);
        const double x = frame.X(0);
        painter.setPen(RolePen(ColourRole::Marker, 1.5, LineStyle::Solid));
        painter.drawLine(QPointF(x, frame.top - 10), QPointF(x, bottom));
    }
    painter.restore();
}

void PaintTimelineSheet(QPainter& painter, const TimelineLayout& layout, const TimelinePart& part,
                        const TimelineSheet& sheet, int DateOrder, const QRectF& target) {
    const double height = SheetHeight(sheet, part);
    const double scale = std::min(target.width() / sheet.width, target.height() / height);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.fillRect(QRectF(0, 0, sheet.width, height), ToQColor(ColourRole::Background));
    TimelinePaint paint{layout, part.lanes, SheetFrame(sheet, part), sheet.margin, DateOrder, std::nullopt,
                        part.lanes.empty(), LaneSymbolsInFont(), part.sky, part.skyKinds, std::nullopt};
    PaintTimeline(painter, paint);
    if (sheet.headingHeight > 0) {
        // The heading as the SVG writes it: title, page, and the key of the bars' colours.
        QFont title = TextFont();
        title.setBold(true);
        const double lineHeight = TimelineHeadingSize * 1.4;
        DrawTextInBox(painter, QRectF(sheet.margin, sheet.margin, sheet.width * 0.75, lineHeight), sheet.title,
                      TimelineHeadingSize, title, ColourRole::Ink, BoxAlign::Left);
        if (!sheet.page.empty()) {
            DrawTextInBox(painter, QRectF(sheet.width * 0.75, sheet.margin, sheet.width * 0.25 - sheet.margin, lineHeight),
                          sheet.page, AxisTextSize, TextFont(), ColourRole::Ink, BoxAlign::Right);
        }
        double x = sheet.margin;
        const double keyY = sheet.margin + sheet.headingHeight - AxisTextSize;
        for (const TimelineLegendEntry& key : TimelineLegend()) {
            QColor swatch = ToQColor(key.role);
            swatch.setAlphaF(static_cast<float>(RunOpacityExact * 0.75));
            painter.fillRect(QRectF(x, keyY - 5, 24, 10), swatch);
            DrawTextInBox(painter, QRectF(x + 30, keyY - AxisTextSize * 0.7, TimelineKeyWidth, AxisTextSize * 1.4),
                          key.text, AxisTextSize, SymbolFont(), ColourRole::Ink, BoxAlign::Left);
            x += 30 + TimelineKeyWidth;
        }
    }
    painter.restore();
}

}  // namespace orrerion::gui
