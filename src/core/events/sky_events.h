#pragma once
// The sky's own events over a span of days: the stations of the planets and the retrograde periods
// between them, the ingresses of the Sun, Moon and planets into the signs and of the Sun and
// planets into the natal houses, the lunations, the eclipses, and the void-of-course Moon; and of
// the extra points the chart has chosen (see SkyEventPoints), their sign ingresses and stations.
//
// Every moment comes from the shared crossing search (core/ephemeris/crossing_search.h) as a change
// of sign of a function of time: the longitude's rate for a station, sin(6 x longitude) for the
// sign boundaries, the distance from a cusp, sin(2 x elongation) for the quarters, sin(3 x) and
// sin(2 x) of the Moon's distance from a planet for the sextiles, squares, trines, conjunction and
// opposition. Samples are a day apart (no event recurs within a day); a planet's stations are added
// as samples for its ingresses, which splits the passes of a retrograde loop over one boundary.
// Positions come from either source, sampled through one cache of whole days; an extra point's
// from ExtraPointAt, through a cache of its own.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/event_orb.h"
#include "core/chart/chart_state.h"
#include "core/ephemeris/eclipses.h"
#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/extra_points.h"

namespace orrerion {

enum class SkyEventKind { Station, Retrograde, Ingress, HouseIngress, Lunation, Eclipse, Void };

struct SkyEventKindRow {
    SkyEventKind kind;
    std::string_view word;  // the kind's name on the command line, in JSON, CSV and the calendar
    std::string_view label;  // as a calendar category and a listing's heading
};
inline constexpr auto SkyEventKinds = std::to_array<SkyEventKindRow>({
    {SkyEventKind::Station, "station", "Station"},
    {SkyEventKind::Retrograde, "retrograde", "Retrograde period"},
    {SkyEventKind::Ingress, "ingress", "Sign ingress"},
    {SkyEventKind::HouseIngress, "house-ingress", "House ingress"},
    {SkyEventKind::Lunation, "lunation", "Lunation"},
    {SkyEventKind::Eclipse, "eclipse", "Eclipse"},
    {SkyEventKind::Void, "void", "Void-of-course Moon"},
});
inline constexpr std::size_t SkyEventKindCount = 7;
static_assert(SkyEventKinds.size() == SkyEventKindCount);

std::string_view SkyEventKindWord(SkyEventKind kind);
std::string_view SkyEventKindLabel(SkyEventKind kind);
std::size_t SkyEventKindIndex(SkyEventKind kind);

enum class LunarPhase { New, FirstQuarter, Full, LastQuarter };
struct LunarPhaseRow {
    LunarPhase phase;
    std::string_view word;
    double elongation;  // the Moon's longitude less the Sun's, degrees
};
inline constexpr auto LunarPhases = std::to_array<LunarPhaseRow>({
    {LunarPhase::New, "new", 0.0},
    {LunarPhase::FirstQuarter, "first-quarter", 90.0},
    {LunarPhase::Full, "full", 180.0},
    {LunarPhase::LastQuarter, "last-quarter", 270.0},
});
static_assert(LunarPhases.size() == 4);
std::string_view LunarPhaseWord(LunarPhase phase);

// The signs' English names, Aries first (index 0).
inline constexpr auto SignNames = std::to_array<std::string_view>({
    "Aries", "Taurus", "Gemini", "Cancer", "Leo", "Virgo",
    "Libra", "Scorpio", "Sagittarius", "Capricorn", "Aquarius", "Pisces"});
static_assert(SignNames.size() == 12);

// The extra points whose own events are found when the chart has chosen them (ChartState::Points):
// their sign ingresses, and for those marked, their stations and the retrograde periods between.
// The mean node always moves backwards and Lilith (the mean apogee) always forwards: neither
// stations. The true node turns a few times a month, at times for less than a day, which a search
// sampled daily cannot be sure to catch: its ingresses only. The south nodes (opposite their north
// node, so at the same moments) and the Lot of Fortune (the chart's own point, not a body of the
// sky) have none.
struct SkyPointRow {
    ExtraPoint point;
    bool stations;
};
inline constexpr auto SkyEventPoints = std::to_array<SkyPointRow>({
    {ExtraPoint::MeanNode, false},
    {ExtraPoint::TrueNode, false},
    {ExtraPoint::Lilith, false},
    {ExtraPoint::Chiron, true},
    {ExtraPoint::Ceres, true},
    {ExtraPoint::Pallas, true},
    {ExtraPoint::Juno, true},
    {ExtraPoint::Vesta, true},
});
static_assert(SkyEventPoints.size() == 8);

// The ExtraPointBody of each point of SkyEventPoints that `points` chooses, in that order.
std::vector<int> SkyEventPointBodies(const PointChoice& points);

struct SkyEvent {
    SkyEventKind kind = SkyEventKind::Station;
    // BodyIndex: the planet; MOON for lunations, voids and lunar eclipses; SUN for solar. An extra
    // point's ExtraPointBody for its stations, retrograde periods and sign ingresses.
    int body = SUN;
    double jd = 0.0;    // UT Julian date, no delta T: the moment, or the start of a period
    double endJD = 0.0;  // the end of a retrograde or void period
    // A station turning retrograde (else direct); an ingress made moving backwards.
    bool retrograde = false;
    int sign = 0;       // the sign entered, 1 Aries .. 12 Pisces
    int house = 0;      // the natal house entered, 1..12
    LunarPhase phase = LunarPhase::New;
    EclipseType eclipseType = EclipseType::Partial;
    double magnitude = 0.0;
    double longitude = 0.0;  // the body's longitude at the moment (of the Moon for lunations and
                             // lunar eclipses, of the Sun for solar eclipses), degrees 0..360
    std::vector<int> hits;   // natal points (SUN..MC) within the orb by conjunction or opposition
};

struct SkyEventRequest {
    double fromJD = 0.0;  // UT Julian date the span starts at
    double days = 0.0;    // the span's length
    std::array<bool, SkyEventKindCount> kinds{true, true, true, true, true, true, true};  // by SkyEventKindIndex
    double orbDeg = DefaultEventOrb;  // lunations' and eclipses' natal hits
};

// Every event of the kinds asked for, in time order (ties by kind, then body). Moments are those
// found inside the span; a retrograde or void period is listed when it overlaps the span, with its
// whole extent. The natal longitudes and cusps, and the extra points chosen, come from `chart`; a
// chosen point that `source` cannot compute (ExtraPointUnavailable) has no events.
std::vector<SkyEvent> FindSkyEvents(const ChartState& chart, EphemerisSource source, const SkyEventRequest& request);

// "MARS enters Leo (retrograde)", "CHIRON stations direct at 26 Aries 51", "full moon at 12 Leo 34 on
// natal SUN": a line that says what happened, for listings, calendars and the timeline.
std::string EventSummary(const SkyEvent& event);

}  // namespace orrerion
