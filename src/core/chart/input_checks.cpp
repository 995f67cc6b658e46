#include "core/chart/input_checks.h"

#include <cmath>
#include <cstdint>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string_view>
#include <tuple>
#include <utility>

#include "core/base/formatters.h"
#include "core/chart/chart_time.h"
#include "core/chart/houses.h"
#include "core/chart/input_rules.h"
#include "core/ephemeris/precise_ephemeris.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

// The last year the date checks accept.
constexpr int LastInputYear = 2099;

constexpr auto MonthName = std::to_array<std::string_view>(
    {"January", "February", "March", "April", "May", "June", "July", "August", "September",
     "October", "November", "December"});
static_assert(MonthName.size() == 12);

// A field as the checks see it: which it is, the caption its reasons name it by, its text.
struct Field {
    FieldRef ref;
    std::string_view label;
    const std::string& text;
};

bool IsEmptyText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

double Value(const std::string& text) { return LeadingNumber(text); }

// The text as a reason quotes it: without surrounding blanks, a very long text cut short.
std::string Shown(const std::string& text) {
    constexpr std::size_t Longest = 16;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "an empty field";
    std::string shown = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    if (shown.size() > Longest) shown = shown.substr(0, Longest) + "...";
    return shown;
}

// "Birth Hour: 13 is not an hour ...": the field's caption, then what its text breaks.
std::string Reason(const Field& f, std::string_view rule) {
    return std::string(f.label) + ": " + Shown(f.text) + " " + std::string(rule);
}

// The fields of one window with the captions of its section.
struct WindowFields {
    Field month, day, year, hour, minute, zone, longDeg, longMin, latDeg, latMin;
    bool east;
    InputSection section;
};

WindowFields View(const InputFields& f, InputSection s) {
    auto field = [&](InputField id) {
        return Field{{s, id}, FieldLabel(s, id), FieldText(f, id)};
    };
    return {field(InputField::Month),   field(InputField::Day),     field(InputField::Year),
            field(InputField::Hour),    field(InputField::Minute),  field(InputField::Zone),
            field(InputField::LongDeg), field(InputField::LongMin), field(InputField::LatDeg),
            field(InputField::LatMin),  f.east,                     s};
}

// One condition of a numbered check: the field it names, whether it fails, and why.
struct Condition {
    const Field* field;
    bool fails;
    std::string reason;
};

// One numbered check: the first condition that fails is reported, once.
void Check(std::initializer_list<Condition> conditions, const char* message,
           std::vector<InputProblem>& problems) {
    for (const Condition& c : conditions) {
        if (c.fails) {
            problems.push_back({c.field->ref, message, c.reason});
            return;
        }
    }
}

// A zone more than 2 hours ahead of Greenwich with a west longitude is a sign typed wrong, except
// across the date line: from 150 degrees west on, the zones of -12 to -14 hours are in use there
// (Chukotka's tip, Wallis, Fiji's Lau group, Chatham, Samoa, Tonga, Tokelau, Phoenix and Line
// Islands). A zone of -3 to -11 is in use nowhere west of Greenwich, so it is refused everywhere
// there (Hawaii typed -10 at 157 degrees west is caught).
bool ZoneSignFitsPlace(const WindowFields& w) {
    const double zone = Value(w.zone.text);
    if (w.east || zone >= -2) return true;
    return zone <= DateLineZone && Value(w.longDeg.text) >= DateLineWestLongitude;
}

// What a date field must hold, for the reasons.
std::string_view DateRule(const Field& f, const WindowFields& w) {
    if (&f == &w.month) return "is not a month from 1 to 12";
    if (&f == &w.day) return "is not a day of the month";
    return "is not a year";
}

void EmptyFieldChecks(const WindowFields& w, const char* message,
                      std::vector<InputProblem>& problems) {
    auto readsZero = [&](const Field& f) {
        return Condition{&f, Value(f.text) == 0, Reason(f, DateRule(f, w))};
    };
    auto empty = [](const Field& f) {
        return Condition{&f, IsEmptyText(f.text), std::string(f.label) + " is empty"};
    };
    Check({readsZero(w.month), readsZero(w.day), readsZero(w.year)}, message, problems);
    Check({empty(w.month), empty(w.day), empty(w.year)}, message, problems);
    Check({empty(w.hour), empty(w.minute), empty(w.zone)}, message, problems);
    Check({empty(w.longDeg), empty(w.longMin)}, message, problems);
    Check({empty(w.latDeg), empty(w.latMin)}, message, problems);
    if (!ZoneSignFitsPlace(w)) {
        Check({{&w.zone, true,
                Reason(w.zone, "is hours east of Greenwich, which does not fit a west longitude (the "
                               "zone is hours west of Greenwich, negative east)")}},
              message, problems);
    }
}

// A text that is not a number ("zz", however it reached the field), that holds more than a number
// ("12a") or whose number does not fit a double would be converted differently from how the checks
// read it; a date field must also fit the 16-bit whole number it is stored in.
Condition NotUsableNumber(const Field& f, bool dateField) {
    if (!IsEmptyText(f.text) && !IsWholeNumberText(f.text)) {
        return {&f, true, Reason(f, "is not a number")};
    }
    if (dateField) {
        const double rounded = std::nearbyint(Value(f.text));
        const bool fits = rounded >= std::numeric_limits<std::int16_t>::min() &&
                          rounded <= std::numeric_limits<std::int16_t>::max();
        return {&f, !fits, Reason(f, "is beyond the numbers a date field holds")};
    }
    return {&f, false, {}};
}

std::string DateWords(int day, int month, int year) {
    return std::to_string(day) + " " + std::string(MonthName[static_cast<std::size_t>(month - 1)]) + " " +
           std::to_string(year);
}

// The date fields as the chart reads them (rounded to whole numbers) name no day of the calendar:
// 31 February would otherwise become 3 March, month 0.4 month 0. Fields that the empty-field
// checks refuse (reading 0), that are too large, or whose year does not fit 16 bits are left to
// those checks, so that one fault is reported once.
Condition DateMissing(const WindowFields& w) {
    const double month = Value(w.month.text), day = Value(w.day.text), year = Value(w.year.text);
    if (month == 0 || day == 0 || year == 0 || month > 12 || day > 31) return {&w.day, false, {}};
    const double m = std::nearbyint(month), d = std::nearbyint(day), y = std::nearbyint(year);
    if (!(y >= std::numeric_limits<std::int16_t>::min() && y <= std::numeric_limits<std::int16_t>::max())) {
        return {&w.day, false, {}};
    }
    if (!(m >= 1 && m <= 12)) return {&w.month, true, Reason(w.month, DateRule(w.month, w))};
    if (!(d >= 1)) return {&w.day, true, Reason(w.day, DateRule(w.day, w))};
    const int monthNumber = static_cast<int>(m), yearNumber = static_cast<int>(y);
    if (d <= DaysInMonth(monthNumber, yearNumber)) return {&w.day, false, {}};
    return {&w.day, true, MissingDayReason(w.section, static_cast<int>(d), monthNumber, yearNumber)};
}

// The clock is a 12-hour one: a whole hour from 1 to 12 (0 reads as 12, as the hour box makes it).
bool NotTwelveHourClock(const Field& hour) {
    const double h = Value(hour.text);
    return h < 0 || h > 12 || h != std::trunc(h);
}

std::vector<InputProblem> RangeChecks(const WindowFields& w, const char* message) {
    std::vector<InputProblem> problems;
    auto value = [](const Field& f) { return Value(f.text); };
    const std::string minuteRule = "is not a minute from 0 to 59";
    const double latDeg = std::fabs(value(w.latDeg)), latMin = value(w.latMin);
    Check({{&w.month, value(w.month) > 12, Reason(w.month, DateRule(w.month, w))},
           {&w.day, value(w.day) > 31, Reason(w.day, DateRule(w.day, w))},
           {&w.year, value(w.year) > LastInputYear,
            Reason(w.year, "is after " + std::to_string(LastInputYear) + ", the last year the program calculates")},
           DateMissing(w)},
          message, problems);
    Check({{&w.hour, NotTwelveHourClock(w.hour), Reason(w.hour, "is not an hour from 1 to 12 with A.M./P.M.")},
           {&w.minute, value(w.minute) > 59 || value(w.minute) < 0, Reason(w.minute, minuteRule)}},
          message, problems);
    Check({{&w.zone, value(w.zone) > FarthestZoneBehind || value(w.zone) < FarthestZoneAhead,
            Reason(w.zone, "is not a zone from " + NumberText(FarthestZoneAhead) + " to " +
                               NumberText(FarthestZoneBehind) +
                               " hours (hours west of Greenwich, negative east)")}},
          message, problems);
    Check({{&w.longDeg, value(w.longDeg) > 180, Reason(w.longDeg, "is not a longitude from 0 to 180 degrees")},
           {&w.longMin, value(w.longMin) > 59, Reason(w.longMin, minuteRule)}},
          message, problems);
    Check({{&w.latDeg, latDeg > 90, Reason(w.latDeg, "is not a latitude from 0 to 90 degrees")},
           {&w.latMin, latDeg == 90 && latMin > 0,
            Reason(w.latMin, "minutes past 90 degrees lie beyond the pole")},
           {&w.latMin, latMin > 59, Reason(w.latMin, minuteRule)}},
          message, problems);
    Check({NotUsableNumber(w.month, true), NotUsableNumber(w.day, true), NotUsableNumber(w.year, true),
           NotUsableNumber(w.hour, false), NotUsableNumber(w.minute, false), NotUsableNumber(w.zone, false),
           NotUsableNumber(w.longDeg, false), NotUsableNumber(w.longMin, false),
           NotUsableNumber(w.latDeg, false), NotUsableNumber(w.latMin, false)},
          message, problems);
    return problems;
}

std::int16_t WholeNumber(const std::string& text) {
    return static_cast<std::int16_t>(std::nearbyint(Value(text)));
}

bool BeforeBirthday(const ParsedInput& in) {
    return in.DiurnalMonth < in.NatalMonth ||
           (in.DiurnalMonth == in.NatalMonth && in.DiurnalDay < in.NatalDay);
}

}  // namespace

std::vector<InputProblem> CheckInputFields(const InputFields& natal, const InputFields& diurnal) {
    std::vector<InputProblem> problems;
    EmptyFieldChecks(View(natal, InputSection::Natal), NatalInputMessage, problems);
    EmptyFieldChecks(View(diurnal, InputSection::Diurnal), DiurnalInputMessage, problems);
    return problems;
}

std::string LatitudeLimitText(const InputFields& fields, InputSection section,
                              const HouseSystemRow& system) {
    const HouseLatitudeLimit& limit = system.limit;
    const double degrees = Value(fields.latDeg), minutes = Value(fields.latMin);
    char first[160];
    std::snprintf(first, sizeof first,
                  "Your latitude is too high. Lower to %d degrees, %02d minutes or below OR change "
                  "house systems.",
                  limit.degrees, limit.minutes);
    char place[96];
    std::snprintf(place, sizeof place, "%s latitude %g degrees %02g minutes %s",
                  section == InputSection::Natal ? "Natal" : "Diurnal", degrees, minutes,
                  fields.south ? "South" : "North");
    std::string working;
    int count = 0;
    for (const HouseSystemRow& other : HouseSystems) {
        if (other.routine == nullptr || LatitudeAboveLimit(degrees, minutes, other.limit)) continue;
        ++count;
        working = count == 1 ? std::string(other.name) : working + ", " + std::string(other.name);
    }
    // "A, B, C" reads "A, B and C".
    const std::size_t lastComma = working.rfind(", ");
    if (lastComma != std::string::npos) working.replace(lastComma, 2, " and ");
    std::string text = std::string(first) + "\n" + place + ": " + std::string(system.name) +
                       " houses are computed up to " + std::to_string(limit.degrees) + " degrees " +
                       (limit.minutes < 10 ? "0" : "") + std::to_string(limit.minutes) +
                       " minutes, as " + std::string(limit.why) + ".";
    if (count > 0) {
        text += count == 1 ? " The house system that works at this latitude: "
                           : " The house systems that work at this latitude: ";
        text += working + ".";
    }
    return text;
}

std::vector<InputProblem> CheckLatitudeLimit(const InputFields& natal, const InputFields& diurnal,
                                             HouseSystem system) {
    const HouseSystemRow& row = HouseSystemOf(system);
    for (const auto& [fields, section] : {std::pair{&natal, InputSection::Natal},
                                          std::pair{&diurnal, InputSection::Diurnal}}) {
        // A latitude beyond the pole is no place at all: the range check says so, and changing
        // the house system would not help.
        const double degrees = std::fabs(Value(fields->latDeg));
        if (degrees > 90 || (degrees == 90 && Value(fields->latMin) > 0)) continue;
        if (LatitudeAboveLimit(Value(fields->latDeg), Value(fields->latMin), row.limit)) {
            // The limit's own sentence first, then the latitude and the systems that work there.
            const std::string text = LatitudeLimitText(*fields, section, row);
            const std::size_t lineEnd = text.find('\n');
            return {{{section, InputField::LatDeg}, text.substr(0, lineEnd),
                     lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1)}};
        }
    }
    return {};
}

const char* InputMessage(InputSection section) {
    return section == InputSection::Natal ? NatalInputMessage : DiurnalInputMessage;
}

std::vector<InputProblem> CheckRanges(const InputFields& fields, InputSection section) {
    return RangeChecks(View(fields, section), InputMessage(section));
}

std::string MissingDayReason(InputSection section, int day, int month, int year) {
    std::string reason = std::string(FieldLabel(section, InputField::Day)) + ": " + DateWords(day, month, year) +
                         " is not a day of the calendar";
    if (month == 2 && day == 29) reason += ": " + std::to_string(year) + " is no leap year";
    return reason;
}

std::vector<InputProblem> CheckSection(const InputFields& fields, InputSection section) {
    std::vector<InputProblem> problems;
    const WindowFields w = View(fields, section);
    EmptyFieldChecks(w, InputMessage(section), problems);
    const std::vector<InputProblem> ranges = RangeChecks(w, InputMessage(section));
    problems.insert(problems.end(), ranges.begin(), ranges.end());
    return problems;
}

std::vector<InputProblem> CheckAllInput(const InputFields& natal, const InputFields& diurnal,
                                        HouseSystem system) {
    std::vector<InputProblem> all = CheckInputFields(natal, diurnal);
    for (auto part : {CheckLatitudeLimit(natal, diurnal, system), CheckRanges(natal, InputSection::Natal),
                      CheckRanges(diurnal, InputSection::Diurnal)}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Message InputWarning(const InputProblem& problem) {
    return {"Warning!", MessageIcon::Information,
            problem.reason.empty() ? problem.message : problem.message + "\n" + problem.reason};
}

std::optional<std::string> ZoneReadingNote(std::string_view zoneText) {
    const std::optional<double> zone = ParseNumber(zoneText);
    if (!zone) return std::nullopt;
    // The decimals as two-digit minutes (a names record's -5.30 is loaded as -5.3): quarter hours
    // written as minutes, which in decimal hours are .25, .5 and .75.
    const double hours = std::trunc(std::fabs(*zone));
    const double hundredths = (std::fabs(*zone) - hours) * 100;
    const long minutesMeant = std::lround(hundredths);
    if (std::fabs(hundredths - static_cast<double>(minutesMeant)) > 1e-6) return std::nullopt;
    if (minutesMeant != 15 && minutesMeant != 30 && minutesMeant != 45) return std::nullopt;
    const long minutesRead = std::lround((std::fabs(*zone) - hours) * 60);
    const std::string sign = *zone < 0 ? "-" : "";
    const std::string hoursText = NumberText(hours);
    const double meant = hours + static_cast<double>(minutesMeant) / 60;
    return "zone " + sign + hoursText + "." + std::to_string(minutesMeant) + " is read as " + hoursText +
           " h " + std::to_string(minutesRead) + " min " + (*zone < 0 ? "east" : "west") + "; write " +
           sign + NumberText(meant) + " for " + hoursText + " h " + std::to_string(minutesMeant) + " min";
}

namespace {

// The UT Julian date of a window's parsed moment, as the chart driver computes it.
double MomentJD(std::int16_t day, std::int16_t month, std::int16_t year, float hour, float zone,
                const std::string& meridiem) {
    return CivilDayNumber(day, month, year) + DayFractionFromClock(hour, zone, meridiem) - 0.5;
}

}  // namespace

std::vector<DateDoubt> CheckDatePlausibility(const InputFields& natal, const InputFields& diurnal,
                                             int DateOrder, EphemerisSource source) {
    std::vector<DateDoubt> doubts;
    if (!CheckSection(natal, InputSection::Natal).empty() ||
        !CheckSection(diurnal, InputSection::Diurnal).empty()) {
        return doubts;
    }
    ParsedInput in;
    ParseNatal(natal, DateOrder, in);
    ParseDiurnal(diurnal, DateOrder, in);
    const double natalJD = MomentJD(in.NatalDay, in.NatalMonth, in.NatalYear, in.NatalHour, in.NatalZone,
                                    in.NatalMeridiem);
    const double diurnalJD = MomentJD(in.DiurnalDay, in.DiurnalMonth, in.DiurnalYear, in.DiurnalHour,
                                      in.DiurnalZone, in.DiurnalMeridiem);
    const std::string natalDate = DateWords(in.NatalDay, in.NatalMonth, in.NatalYear);
    const std::string diurnalDate = DateWords(in.DiurnalDay, in.DiurnalMonth, in.DiurnalYear);
    for (const auto& [what, date, jd] : {std::tuple{"Birth date ", &natalDate, natalJD},
                                         std::tuple{"Diurnal date ", &diurnalDate, diurnalJD}}) {
        if (source == EphemerisSource::Builtin && !BuiltinSeriesCovers(jd)) {
            doubts.push_back({DateDoubtKind::OutsideBuiltinYears,
                              what + *date + " lies outside " + std::to_string(BuiltinFirstYear) + "-" +
                                  std::to_string(BuiltinLastYear) +
                                  ", the years the built-in positions are good for."});
        } else if (source == EphemerisSource::Precise && !PreciseFilesCover(jd)) {
            doubts.push_back({DateDoubtKind::PreciseFallback,
                              what + *date + " lies outside the Swiss Ephemeris data files (" +
                                  std::to_string(PreciseFilesFirstYear) + "-" +
                                  std::to_string(PreciseFilesLastYear) +
                                  " with swe-basic-data): the library computes it from its less "
                                  "precise fallback series."});
        }
    }
    if (diurnalJD < natalJD) {
        doubts.push_back({DateDoubtKind::BeforeBirth,
                          "Diurnal date " + diurnalDate + " precedes the birth, " + natalDate + "."});
    }
    return doubts;
}

std::string JoinDateText(const std::string& month, const std::string& day, const std::string& year,
                         int DateOrder) {
    switch (DateOrder) {
        case 1: return day + "/" + month + "/" + year;
        case 2: return year + "/" + month + "/" + day;
        default: return month + "/" + day + "/" + year;
    }
}

ParsedMoment ParseMoment(const InputFields& f, int DateOrder) {
    ParsedMoment m;
    m.day = WholeNumber(f.day);
    m.month = WholeNumber(f.month);
    m.year = WholeNumber(f.year);
    m.zone = static_cast<float>(Value(f.zone));
    m.dateText = JoinDateText(f.month, f.day, f.year, DateOrder);
    m.hour = static_cast<float>(Value(f.hour) + Value(f.minute) / 100);
    m.meridiem = f.am ? "A.M." : "P.M.";
    float longitude = static_cast<float>(Value(f.longDeg) + Value(f.longMin) / 100);
    if (f.east) longitude = -longitude;
    m.longitude = longitude;
    m.longitudeWord = longitude >= 0 ? "WEST" : "EAST";
    float latitude = static_cast<float>(Value(f.latDeg) + Value(f.latMin) / 100);
    if (f.south) latitude = -latitude;
    m.latitude = latitude;
    m.latitudeWord = latitude >= 0 ? "NORTH" : "SOUTH";
    return m;
}

void ParseNatal(const InputFields& f, int DateOrder, ParsedInput& in) {
    ParsedMoment m = ParseMoment(f, DateOrder);
    in.NatalDay = m.day;
    in.NatalMonth = m.month;
    in.NatalYear = m.year;
    in.NatalZone = m.zone;
    in.NatalDateText = std::move(m.dateText);
    in.NatalHour = m.hour;
    in.NatalMeridiem = std::move(m.meridiem);
    in.NatalLongitude = m.longitude;
    in.NatalLongitudeWord = std::move(m.longitudeWord);
    in.NatalLatitude = m.latitude;
    in.NatalLatitudeWord = std::move(m.latitudeWord);
}

void ParseDiurnal(const InputFields& f, int DateOrder, ParsedInput& in) {
    ParsedMoment m = ParseMoment(f, DateOrder);
    in.DiurnalDay = m.day;
    in.DiurnalMonth = m.month;
    in.DiurnalYear = m.year;
    in.DiurnalZone = m.zone;
    in.DiurnalDateText = std::move(m.dateText);
    const int beforeBirthday = BeforeBirthday(in) ? 1 : 0;
    in.AgeYears = static_cast<std::int16_t>(in.DiurnalYear - in.NatalYear - beforeBirthday);
    in.LastBirthdayYear = static_cast<std::int16_t>(in.DiurnalYear - beforeBirthday);
    in.DiurnalHour = m.hour;
    in.DiurnalMeridiem = std::move(m.meridiem);
    in.DiurnalLongitude = m.longitude;
    in.DiurnalLongitudeWord = std::move(m.longitudeWord);
    in.DiurnalLatitude = m.latitude;
    in.DiurnalLatitudeWord = std::move(m.latitudeWord);
}

}  // namespace orrerion
