#pragma once
// The charts of one calculation: natal, progressed, solar-arc and transit positions, cusps, times
// and the texts the data summary prints. One ChartState per calculation; every run overwrites it.
#include <array>
#include <cstdint>
#include <string>

#include "core/ephemeris/ephemeris.h"
#include "core/ephemeris/extra_points.h"

namespace orrerion {

// Cusp slots 1..13, tenth house first: slot 1 = cusp 10 (MC), 4 = cusp 1 (ASC), 12 = cusp 9.
// Slot 13 is copied and shifted like the others but no house system fills it.
using CuspArray = std::array<double, 14>;

// The extra points of one chart, by ExtraPoint; only the chosen ones are filled.
using ExtraPointArray = std::array<PointPosition, ExtraPointCount>;

// The values parsed from the natal and diurnal input fields.
struct ParsedInput {
    std::int16_t NatalDay = 0, NatalMonth = 0, NatalYear = 0;
    float NatalHour = 0.0f;       // H.MM on a 12-hour clock; deliberate single precision
    float NatalZone = 0.0f;       // hours, west of Greenwich positive
    std::string NatalMeridiem;    // "A.M." or "P.M."
    float NatalLongitude = 0.0f;  // D.MM, west positive
    std::string NatalLongitudeWord;  // "WEST" or "EAST"
    float NatalLatitude = 0.0f;   // D.MM, north positive
    std::string NatalLatitudeWord;   // "NORTH" or "SOUTH"
    std::string NatalDateText;

    std::int16_t DiurnalDay = 0, DiurnalMonth = 0, DiurnalYear = 0;
    float DiurnalHour = 0.0f;
    float DiurnalZone = 0.0f;
    std::string DiurnalMeridiem;
    float DiurnalLongitude = 0.0f;
    std::string DiurnalLongitudeWord;
    float DiurnalLatitude = 0.0f;
    std::string DiurnalLatitudeWord;
    std::string DiurnalDateText;

    std::int16_t AgeYears = 0;
    std::int16_t LastBirthdayYear = 0;
};

struct ChartState {
    PointArray NatalLong{}, NatalDecl{};
    CuspArray NatalCusp{};
    PointArray ProgLong{}, ProgDecl{};
    CuspArray ProgCusp{};
    PointArray ArcLong{};
    CuspArray ArcCusp{};
    PointArray TransitLong{}, TransitDecl{};
    CuspArray TransitCusp{};
    CuspArray WorkCusp{};  // working cusps of the house engine

    // The extra points chosen and their positions per chart. The solar-arc points are the natal
    // ones moved by the solar arc: longitudes only.
    PointChoice Points;
    ExtraPointArray NatalPoints{}, ProgPoints{}, ArcPoints{}, TransitPoints{};

    // UT Julian dates, no delta T, and the same as centuries from JD 2415020.
    double NatalJD = 0.0, DiurnalJD = 0.0, ProgJD = 0.0;
    double NatalT = 0.0, DiurnalT = 0.0, ProgT = 0.0;
    double ProgDayNumber = 0.0;     // ProgJD - DayFraction + 0.5
    double ProgT2000 = 0.0;         // progressed instant, centuries from JD 2451545
    double DiurnalT2000 = 0.0;      // diurnal instant, centuries from JD 2451545
    double DiurnalDayNumber = 0.0;  // day number of the diurnal date (house engine's Gregorian rule)
    double NatalObliquityDeg = 0.0;
    double TransitObliquityDeg = 0.0;

    std::string NatalRetroMarks = std::string(BodyCount, ' ');
    std::string ProgRetroMarks = std::string(BodyCount, ' ');
    std::string TransitRetroMarks = std::string(BodyCount, ' ');

    double SecProgSun = 0.0;  // longitude of the secondary-progressed Sun
    float SolarArc = 0.0f;    // deliberate single precision

    std::string HouseSystemCode = "P";
    std::int16_t ChartPass = 0;  // 0 natal, 1 progressed, 2 solar arc, 3 transit

    std::string NatalSTText, ProgSTText, TransitSTText;  // sidereal time, 14 characters
    std::string NatalHouseLine, ProgHouseLine, TransitHouseLine;  // 120 characters
    // The house placement line, rewritten in place for each chart (10 characters per point).
    std::string HouseLine = "---- --------- -----" + std::string(100, ' ');

    std::string ChartName;  // the natal name as typed, remembered by the driver
    EphemerisSource Source = EphemerisSource::Builtin;  // where the positions came from
    ParsedInput input;
};

}  // namespace orrerion
