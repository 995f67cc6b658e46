#include "core/pictures/timeline_output.h"

#include <algorithm>
#include <cmath>

#include "core/aspects/aspect_scan.h"
#include "core/aspects/report_files.h"
#include "core/base/formatters.h"
#include "core/base/text_tables.h"
#include "core/io/json_text.h"
#include "core/io/number_text.h"
#include "core/pictures/glyphs.h"
#include "core/pictures/svg_writer.h"

namespace orrerion {
namespace {

bool MeetsDays(const TimelineRun& run, double fromDay, double toDay) {
    return run.firstDay < toDay && run.lastDay + 1.0 > fromDay;
}

// The run's exact dates, blank-separated, into `text`.
void ExactDatesText(const TimelineLayout& layout, const TimelineRun& run, std::string& text) {
    text.clear();
    for (const std::int16_t m : layout.MarksOf(run)) {
        if (!text.empty()) text += ' ';
        text += IsoDateOfDay(layout.DiurnalJD, m);
    }
}

// The path of a polygon into `d`: "M x y L x y ... Z".
void PathOf(std::span<const std::pair<double, double>> points, std::string& d) {
    d.clear();
    for (std::size_t i = 0; i < points.size(); ++i) {
        d += (i == 0 ? "M" : " L");
        d += SvgNumber(points[i].first);
        d += ' ';
        d += SvgNumber(points[i].second);
    }
    d += " Z";
}

// The orb with four decimals ("%.4f"): the scan compares it in single precision.
NumberChars OrbText(float orb) { return FixedChars(static_cast<double>(orb), 4); }

// A JSON string of ISO text, which needs no escape.
void PutJsonPlain(TextSink& out, std::string_view text) {
    out.Put('"');
    out.Put(text);
    out.Put('"');
}

}  // namespace

TimelinePart ChooseTimelinePart(const TimelineLayout& layout, const TimelineFilter& filter, double fromDay,
                                double toDay) {
    TimelinePart part;
    part.fromDay = fromDay;
    part.toDay = std::max(toDay, fromDay + 1);
    for (const std::uint32_t lane : ShownLanes(layout, filter)) {
        const auto runs = layout.RunsOf(layout.lanes[lane]);
        if (std::any_of(runs.begin(), runs.end(),
                        [&](const TimelineRun& r) { return MeetsDays(r, part.fromDay, part.toDay); })) {
            part.lanes.push_back(lane);
        }
    }
    part.lanes = WithFamilyHeadings(layout, part.lanes);
    return part;
}

void AddSkyToPart(TimelinePart& part, const TimelineSky& sky, SkyKinds kinds) {
    std::vector<std::uint32_t> rows = SkyRows(sky, kinds);
    rows.insert(rows.end(), part.lanes.begin(), part.lanes.end());
    part.lanes = std::move(rows);
    part.sky = &sky;
    part.skyKinds = kinds;
}

std::size_t PartRunCount(const TimelineLayout& layout, const TimelinePart& part) {
    std::size_t count = 0;
    for (const std::uint32_t lane : part.lanes) {
        if (!IsLaneRow(lane)) continue;
        for (const TimelineRun& r : layout.RunsOf(layout.lanes[lane])) count += MeetsDays(r, part.fromDay, part.toDay);
    }
    return count;
}

std::string FamilyShortName(AspectFamily family) {
    auto letters = [](PointSet set) -> std::string_view {
        switch (set) {
            case PointSet::Transit: return "T";
            case PointSet::SolarArc: return "SA";
            case PointSet::Progressed: return "P";
            case PointSet::Natal: return "N";
        }
        return "?";
    };
    const FamilyInfo& info = FamilyOf(family);
    return std::string(letters(info.movers)) + "\u2192" + std::string(letters(info.targets));
}

std::string TimelineTitle(const TimelineLayout& layout, const TimelinePart& part, const std::string& chartName) {
    std::string title = chartName.empty() ? "Aspect timeline" : chartName;
    const int first = static_cast<int>(std::floor(part.fromDay));
    const int last = std::max(first, static_cast<int>(std::ceil(part.toDay)) - 1);
    title += " \u00B7 " + DateDdMmmYyyy(JulianDayToCalendar(layout.DiurnalJD + first)) + " to " +
             DateDdMmmYyyy(JulianDayToCalendar(layout.DiurnalJD + last));
    std::string families;
    std::vector<AspectFamily> seen;
    for (const std::uint32_t row : part.lanes) {
        if (IsSkyRow(row) || row == SkyHeadingRow) continue;
        const AspectFamily f = IsHeadingRow(row) ? HeadingFamily(row) : layout.lanes[row].family;
        if (std::find(seen.begin(), seen.end(), f) != seen.end()) continue;
        seen.push_back(f);
        families += (families.empty() ? "" : ", ") + FamilyShortName(f);
    }
    return title + " \u00B7 " + (families.empty() ? std::string("no aspects") : families);
}

std::vector<TimelineLegendEntry> TimelineLegend() {
    std::vector<TimelineLegendEntry> keys;
    for (const auto& [role, word] : {std::pair{ColourRole::Hard, "Hard"}, std::pair{ColourRole::Soft, "Soft"},
                                     std::pair{ColourRole::Minor, "Minor"}}) {
        std::string text = word;
        for (int code = 2; code <= 10; ++code) {
            if (AspectRole(code) == role) text += " " + std::string(AspectGlyph(code));
        }
        keys.push_back({role, text});
    }
    return keys;
}

std::string PageText(int page, int pages) { return "Page " + std::to_string(page) + " of " + std::to_string(pages); }

TimelineFrame SheetFrame(const TimelineSheet& sheet, const TimelinePart& part) {
    TimelineFrame frame;
    frame.fromDay = part.fromDay;
    frame.toDay = part.toDay;
    frame.left = sheet.margin + sheet.labelWidth;
    frame.top = sheet.margin + sheet.headingHeight + sheet.axisHeight;
    frame.width = std::max(1.0, sheet.width - frame.left - sheet.margin);
    frame.laneHeight = sheet.laneHeight;
    frame.height = static_cast<double>(std::max<std::size_t>(1, part.lanes.size())) * sheet.laneHeight;
    frame.firstRow = 0;
    return frame;
}

double SheetHeight(const TimelineSheet& sheet, const TimelinePart& part) {
    const TimelineFrame frame = SheetFrame(sheet, part);
    return frame.top + frame.height + sheet.margin;
}

void WriteTimelineSvg(TextSink& out, const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part,
                      const TimelineSheet& sheet, int DateOrder, const std::string& title) {
    const TimelineFrame frame = SheetFrame(sheet, part);
    const double height = SheetHeight(sheet, part);
    SvgWriter svg(out, sheet.width, height, title);
    const double bottom = frame.top + frame.height;
    const double right = frame.left + frame.width;

    // The heading: title, key and page.
    if (sheet.headingHeight > 0) {
        svg.OpenGroup("heading");
        const double y = sheet.margin + TimelineHeadingSize * 0.7;
        svg.Text(sheet.margin, y, sheet.title, "heading-title", ColourRole::Ink, TimelineHeadingSize, TextFontFamilies,
                 TextAnchor::Start);
        if (!sheet.page.empty()) {
            svg.Text(sheet.width - sheet.margin, y, sheet.page, "heading-page", ColourRole::Ink, AxisTextSize,
                     TextFontFamilies, TextAnchor::End);
        }
        double x = sheet.margin;
        const double keyY = sheet.margin + sheet.headingHeight - AxisTextSize;
        for (const TimelineLegendEntry& key : TimelineLegend()) {
            svg.Rect(x, keyY - 5, 24, 10, "key-swatch " + std::string(RoleName(key.role)), key.role, RunOpacityExact * 0.75);
            svg.Text(x + 30, keyY, key.text, "key-text", ColourRole::Ink, AxisTextSize, SymbolFontFamilies,
                     TextAnchor::Start);
            x += 30 + TimelineKeyWidth;
        }
        svg.CloseGroup();
    }

    // Lanes: a band behind every other family, the labels in the left column.
    svg.OpenGroup("lanes");
    for (std::size_t row = 0; row < part.lanes.size(); ++row) {
        const double y = frame.RowTop(row);
        if (part.lanes[row] == SkyHeadingRow) {
            svg.Text(sheet.margin, y + frame.laneHeight / 2, SkyTitle, "sky-heading", ColourRole::Ink,
                     frame.laneHeight * LaneTextScale, TextFontFamilies, TextAnchor::Start);
            svg.Line(sheet.margin, y + frame.laneHeight - 0.5, right, y + frame.laneHeight - 0.5, "family-rule",
                     {ColourRole::Ink, 0.5});
            continue;
        }
        if (IsSkyRow(part.lanes[row])) {
            const SkyRow& skyRow = part.sky->rows[part.lanes[row] & ~SkyRowFlag];
            const double mid = y + frame.laneHeight / 2;
            const double size = frame.laneHeight * LaneTextScale;
            const SvgAttributes data = {{"data-kind", std::string(SkyEventKindWord(skyRow.kind))},
                                        {"data-body", skyRow.body ? std::string(BodyName(skyRow.body)) : std::string()}};
            svg.Text(sheet.margin, mid, SkyRowGlyphLabel(skyRow), "sky-glyphs", ColourRole::Ink, size, SymbolFontFamilies,
                     TextAnchor::Start, 0, data);
            svg.Text(sheet.margin + GlyphLabelWidth, mid, SkyRowLabel(skyRow), "sky-label", ColourRole::Ink, size,
                     TextFontFamilies, TextAnchor::Start, 0, data);
            continue;
        }
        if (IsHeadingRow(part.lanes[row])) {
            const AspectFamily family = HeadingFamily(part.lanes[row]);
            svg.Text(sheet.margin, y + frame.laneHeight / 2, FamilyTitle(family), "family-heading", ColourRole::Ink,
                     frame.laneHeight * LaneTextScale, TextFontFamilies, TextAnchor::Start, 0,
                     {{"data-family", std::string(FamilyCode(family))}});
            svg.Line(sheet.margin, y + frame.laneHeight - 0.5, right, y + frame.laneHeight - 0.5, "family-rule",
                     {ColourRole::Ink, 0.5});
            continue;
        }
        const TimelineLane& lane = layout.lanes[part.lanes[row]];
        if (FamilyRank(lane.family) % 2 == 1) {
            svg.Rect(sheet.margin, y, right - sheet.margin, frame.laneHeight, "band", ColourRole::Band, 1.0);
        }
        const double mid = y + frame.laneHeight / 2;
        const double size = frame.laneHeight * LaneTextScale;
        const SvgAttributes data = {{"data-family", std::string(FamilyCode(lane.family))},
                                    {"data-mover", std::string(BodyName(lane.mover))},
                                    {"data-aspect", std::string(AspectWord(lane.AspectCode))},
                                    {"data-target", std::string(BodyName(lane.target))}};
        svg.Text(sheet.margin, mid, LaneGlyphLabel(lane), "lane-glyphs", ColourRole::Ink, size, SymbolFontFamilies,
                 TextAnchor::Start, 0, data);
        svg.Text(sheet.margin + GlyphLabelWidth, mid, LaneLabel(lane), "lane-label", ColourRole::Ink, size,
                 TextFontFamilies, TextAnchor::Start, 0, data);
    }
    svg.CloseGroup();

    // The time axis.
    svg.OpenGroup("axis");
    svg.Line(frame.left, frame.top, right, frame.top, "axis-line", {ColourRole::Ink, 1.0});
    for (const TimelineTick& tick : TimelineTicks(layout.DiurnalJD, frame.fromDay, frame.toDay, frame.PixelsPerDay(),
                                                  DateOrder)) {
        const double x = frame.X(tick.day);
        svg.Line(x, frame.top - (tick.major ? 8 : 4), x, tick.major ? bottom : frame.top, tick.major ? "tick major" : "tick",
                 {ColourRole::Faint, tick.major ? 0.5 : 1.0});
        if (tick.major) {
            // Wide enough for the fonts the viewers use (0.62 of the text size a character).
            const double width = 0.62 * AxisTextSize * static_cast<double>(tick.label.size());
            svg.Text(TickLabelLeft(x, width, right), frame.top - 16, tick.label, "tick-label", ColourRole::Ink,
                     AxisTextSize, TextFontFamilies, TextAnchor::Start);
        }
    }
    svg.CloseGroup();

    if (part.lanes.empty()) {
        svg.Text(frame.left + 8, frame.top + frame.laneHeight / 2, NoRunsText, "note", ColourRole::Ink,
                 frame.laneHeight * LaneTextScale, TextFontFamilies, TextAnchor::Start);
    }

    // The runs: one group each, carrying the run's data. The attributes, line and paths are kept
    // from run to run, so that their texts reuse their room.
    svg.OpenGroup("runs");
    std::string line, d, groupClass;
    SvgAttributes data = {{"data-family", ""}, {"data-mover", ""}, {"data-aspect", ""}, {"data-target", ""},
                          {"data-first", ""},  {"data-last", ""},  {"data-exact", ""},  {"data-orb", ""}};
    constexpr std::size_t Always = 8;  // every run has the first eight; data-continues only some
    ForEachVisibleRun(layout, part.lanes, frame, false, [&](std::size_t, const TimelineRun& run, const RunShape& shape) {
        const TimelineLane& lane = layout.lanes[run.lane];
        const ScanRun& scanRun = scan.runs[run.scanRun];
        data.resize(Always + 1);
        data[Always].first = "data-continues";
        data[0].second = FamilyCode(lane.family);
        data[1].second = BodyName(lane.mover);
        data[2].second = AspectWord(lane.AspectCode);
        data[3].second = BodyName(lane.target);
        data[4].second = IsoDateOfDay(layout.DiurnalJD, run.firstDay);
        data[5].second = IsoDateOfDay(layout.DiurnalJD, run.lastDay);
        ExactDatesText(layout, run, data[6].second);
        data[7].second = SvgNumber(scanRun.smallestOrb);
        std::string& continues = data[Always].second;
        continues.clear();
        if (run.continuesBefore) continues = "before";
        if (run.continuesAfter) continues += continues.empty() ? "after" : " after";
        if (continues.empty()) data.resize(Always);
        groupClass.assign("run ").append(RoleName(lane.role));
        svg.OpenGroup(groupClass, data);
        line.clear();
        AppendRunLine(line, scan, scanRun);
        svg.ElementTitle(line);
        const double w = std::max(shape.x1 - shape.x0, 0.5);
        svg.Rect(shape.x0, shape.y, w, shape.h, "bar", lane.role, RunOpacityFar);
        const auto core = RunCoreOutline(layout, run, shape, frame);
        if (!core.empty()) {
            PathOf(core, d);
            svg.Path(d, "orb", &lane.role, nullptr, RunOpacityExact * 0.75);
        }
        for (const std::int16_t m : layout.MarksOf(run)) {
            const double x = frame.X(m + 0.5);
            if (x < shape.x0 || x > shape.x1) continue;
            svg.Line(x, shape.y - 1, x, shape.y + shape.h + 1, "exact", {ColourRole::Ink, 1.0});
        }
        for (const bool atStart : {true, false}) {
            if (!(atStart ? shape.openStart : shape.openEnd)) continue;
            const auto arrow = OpenEndArrow(shape, atStart);
            PathOf(arrow, d);
            svg.Path(d, atStart ? "open-start" : "open-end", &lane.role, nullptr, RunOpacityFar);
        }
        svg.CloseGroup();
    });
    svg.CloseGroup();

    // The sky's events: each one element with its kind, body and moments, its line as its title.
    if (part.sky) {
        svg.OpenGroup("sky");
        SvgAttributes data;
        ForEachVisibleSkyEvent(*part.sky, layout.DiurnalJD, part.lanes, frame, part.skyKinds,
                               [&](std::size_t, std::uint32_t i, const SkyShape& shape) {
                                   const SkyEvent& e = part.sky->events[i];
                                   data = {{"data-kind", std::string(SkyEventKindWord(e.kind))},
                                           {"data-body", std::string(BodyName(e.body))},
                                           {"data-utc", IsoSecondUtc(e.jd)}};
                                   if (shape.period) data.push_back({"data-end", IsoSecondUtc(e.endJD)});
                                   std::string cls = "sky-event " + std::string(SkyEventKindWord(e.kind));
                                   if (shape.strong) cls += " on-natal";
                                   svg.OpenGroup(cls, data);
                                   svg.ElementTitle(EventSummary(e));
                                   svg.Rect(shape.x0, shape.y, std::max(shape.x1 - shape.x0, 0.5), shape.h, "mark",
                                            shape.role, shape.period ? RunOpacityExact * 0.6 : RunOpacityExact);
                                   svg.CloseGroup();
                               });
        svg.CloseGroup();
    }

    // The diurnal date.
    if (frame.fromDay <= 0 && 0 < frame.toDay) {
        const double x = frame.X(0);
        svg.Line(x, frame.top - 10, x, bottom, "diurnal", {ColourRole::Marker, 1.5},
                 {{"data-date", IsoDateOfDay(layout.DiurnalJD, 0)}});
    }
    svg.Finish();
}

void WriteTimelineJson(TextSink& out, const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part) {
    const int fromDay = static_cast<int>(std::floor(part.fromDay));
    const int toDay = static_cast<int>(std::ceil(part.toDay)) - 1;
    // Keys are snake_case; the camelCase keys of earlier versions stay beside them for one release.
    out.Put("{\"diurnal_date\":");
    PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, 0));
    out.Put(",\"diurnalDate\":");
    PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, 0));
    out.Put(",\"scan_days\":");
    out.Put(IntegerChars(layout.ScanDays).view());
    out.Put(",\"scanDays\":");
    out.Put(IntegerChars(layout.ScanDays).view());
    out.Put(",\"from\":");
    PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, fromDay));
    out.Put(",\"to\":");
    PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, toDay));
    const NumberChars runCount = IntegerChars(static_cast<long long>(PartRunCount(layout, part)));
    out.Put(",\"run_count\":");
    out.Put(runCount.view());
    out.Put(",\"runCount\":");
    out.Put(runCount.view());
    out.Put(",\"lanes\":[");
    std::string line;
    bool firstLane = true;
    for (std::size_t i = 0; i < part.lanes.size(); ++i) {
        if (!IsLaneRow(part.lanes[i])) continue;
        const TimelineLane& lane = layout.lanes[part.lanes[i]];
        out.Put(firstLane ? "\n" : ",\n");
        firstLane = false;
        // "family" and "aspect" keep their earlier spellings for this release; family_code,
        // family_name and aspect_name are spelled as in every other command's JSON.
        out.Put("{\"family\":" + JsonString(FamilyCode(lane.family)) + ",\"family_code\":" +
                JsonString(FamilyCode(lane.family)) + ",\"family_name\":" + JsonString(FamilyOf(lane.family).key) +
                ",\"mover\":" + JsonString(BodyName(lane.mover)) +
                ",\"aspect\":" + JsonString(AspectWord(lane.AspectCode)) +
                ",\"aspect_name\":" + JsonString(AspectDataName(lane.AspectCode)) +
                ",\"target\":" + JsonString(BodyName(lane.target)) + ",\"label\":" + JsonString(LaneLabel(lane)) +
                ",\"role\":" + JsonString(RoleName(lane.role)) + ",\"runs\":[");
        bool first = true;
        for (const TimelineRun& run : layout.RunsOf(lane)) {
            if (!MeetsDays(run, part.fromDay, part.toDay)) continue;
            const ScanRun& scanRun = scan.runs[run.scanRun];
            line.clear();
            AppendRunLine(line, scan, scanRun);
            out.Put(first ? "\n{\"first\":" : ",\n{\"first\":");
            first = false;
            PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, run.firstDay));
            out.Put(",\"last\":");
            PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, run.lastDay));
            const NumberChars firstDay = IntegerChars(run.firstDay), lastDay = IntegerChars(run.lastDay);
            const char* before = run.continuesBefore ? "true" : "false";
            const char* after = run.continuesAfter ? "true" : "false";
            for (const char* key : {",\"first_day\":", ",\"firstDay\":"}) out.Put(key), out.Put(firstDay.view());
            for (const char* key : {",\"last_day\":", ",\"lastDay\":"}) out.Put(key), out.Put(lastDay.view());
            for (const char* key : {",\"continues_before\":", ",\"continuesBefore\":"}) out.Put(key), out.Put(before);
            for (const char* key : {",\"continues_after\":", ",\"continuesAfter\":"}) out.Put(key), out.Put(after);
            out.Put(",\"exact\":[");
            bool firstMark = true;
            for (const std::int16_t m : layout.MarksOf(run)) {
                if (!firstMark) out.Put(',');
                firstMark = false;
                PutJsonPlain(out, IsoDateOfDay(layout.DiurnalJD, m));
            }
            const auto orb = OrbText(scanRun.smallestOrb);
            out.Put("],\"smallest_orb\":");
            out.Put(orb.view());
            out.Put(",\"smallestOrb\":");
            out.Put(orb.view());
            out.Put(",\"line\":");
            out.Put(JsonString(line));
            out.Put('}');
        }
        out.Put("]}");
    }
    out.Put("]");
    // The sky's events of the kinds shown that meet the days, with their rows' labels.
    if (part.sky) {
        out.Put(",\"sky\":[");
        bool firstEvent = true;
        for (const std::uint32_t row : part.lanes) {
            if (!IsSkyRow(row)) continue;
            const SkyRow& skyRow = part.sky->rows[row & ~SkyRowFlag];
            for (const std::uint32_t i : skyRow.events) {
                const SkyEvent& e = part.sky->events[i];
                const bool period = e.kind == SkyEventKind::Retrograde || e.kind == SkyEventKind::Void;
                const double first = SkyDay(layout.DiurnalJD, e.jd);
                const double last = period ? SkyDay(layout.DiurnalJD, e.endJD) : first;
                if (!ShowsKind(part.skyKinds, e.kind) || last < part.fromDay || first >= part.toDay) continue;
                out.Put(firstEvent ? "\n" : ",\n");
                firstEvent = false;
                out.Put("{\"row\":" + JsonString(SkyRowLabel(skyRow)) + ",\"kind\":" + JsonString(SkyEventKindWord(e.kind)) +
                        ",\"body\":" + JsonString(BodyName(e.body)) + ",\"utc\":" + JsonString(IsoSecondUtc(e.jd)));
                if (period) out.Put(",\"end\":" + JsonString(IsoSecondUtc(e.endJD)));
                out.Put(",\"summary\":" + JsonString(EventSummary(e)) + "}");
            }
        }
        out.Put("]");
    }
    out.Put("}\n");
}

std::string TimelineSvg(const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part,
                        const TimelineSheet& sheet, int DateOrder, const std::string& title) {
    std::string text;
    {
        TextSink sink(text);
        WriteTimelineSvg(sink, layout, scan, part, sheet, DateOrder, title);
    }
    return text;
}

std::string TimelineJson(const TimelineLayout& layout, const ScanResult& scan, const TimelinePart& part) {
    std::string text;
    {
        TextSink sink(text);
        WriteTimelineJson(sink, layout, scan, part);
    }
    return text;
}

}  // namespace orrerion
