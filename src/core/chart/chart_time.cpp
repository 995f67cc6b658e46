#include "core/chart/chart_time.h"

#include <cmath>

#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

// The day number before the Gregorian correction, and the month count m it is built from.
struct UncorrectedDay {
    double n = 0.0;
    double m = 0.0;
};

UncorrectedDay Uncorrected(int day, int month, int year) {
    UncorrectedDay u;
    u.m = (static_cast<double>(year) + 4800) * 12 + month - 3;
    u.n = std::floor(((u.m - 12 * std::floor(u.m / 12)) * 2 + 7 + 365 * u.m) / 12) + day +
          std::floor(u.m / 48) - 32083;
    return u;
}

double GregorianCorrection(double m) {
    return std::floor(m / 4800) - std::floor(m / 1200) + 38;
}

}  // namespace

double DayFractionFromClock(double hourHMM, double zoneHours, std::string_view meridiem) {
    double h = hourHMM;
    if (std::floor(h) == 12) h -= 12;  // 12.30 A.M. is half past midnight, 12.30 P.M. past noon
    double fraction = (HoursFromHMM(h) + zoneHours) / 24;
    if (meridiem == "P.M.") fraction += 0.5;
    return fraction;
}

double CivilDayNumber(int day, int month, int year) {
    const UncorrectedDay u = Uncorrected(day, month, year);
    return u.n + GregorianCorrection(u.m);
}

double HouseDayNumber(int day, int month, int year) {
    const UncorrectedDay u = Uncorrected(day, month, year);
    return u.n > 2299171 ? u.n + GregorianCorrection(u.m) : u.n;
}

double CenturiesFrom1900(double jd) { return (jd - JulianDay1900) / DaysPerCentury; }
double CenturiesFrom2000(double jd) { return (jd - JulianDay2000) / DaysPerCentury; }

double DecimalFromSignedDMM(double value) {
    const double magnitude = HoursFromHMM(std::fabs(value));
    return value < 0 ? -magnitude : magnitude;
}

}  // namespace orrerion
