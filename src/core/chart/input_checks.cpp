#include "core/chart/input_checks.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <utility>

#include "core/base/formatters.h"
#include "core/chart/houses.h"
#include "core/chart/input_rules.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

// A field as the checks see it: its control name and its text.
struct Field {
    std::string_view name;
    const std::string& text;
};

bool IsEmptyText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

double Value(const std::string& text) { return LeadingNumber(text); }

// The fields of one window with the control names of its section.
struct WindowFields {
    Field month, day, year, hour, minute, zone, longDeg, longMin, latDeg, latMin;
    bool east;
};

WindowFields View(const InputFields& f, InputSection s) {
    auto field = [&](InputField id) { return Field{ControlName(s, id), FieldText(f, id)}; };
    return {field(InputField::Month),   field(InputField::Day),     field(InputField::Year),
            field(InputField::Hour),    field(InputField::Minute),  field(InputField::Zone),
            field(InputField::LongDeg), field(InputField::LongMin), field(InputField::LatDeg),
            field(InputField::LatMin),  f.east};
}

// Adds one problem when any of the fields fails `test`, naming the first that does.
template <typename Test>
void CheckAny(std::initializer_list<Field> fields, Test test, const char* message,
              std::vector<InputProblem>& problems) {
    for (const Field& f : fields) {
        if (test(f)) {
            problems.push_back({std::string(f.name), message});
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

void EmptyFieldChecks(const WindowFields& w, const char* message,
                      std::vector<InputProblem>& problems) {
    auto readsZero = [](const Field& f) { return Value(f.text) == 0; };
    auto empty = [](const Field& f) { return IsEmptyText(f.text); };
    CheckAny({w.month, w.day, w.year}, readsZero, message, problems);
    CheckAny({w.month, w.day, w.year}, empty, message, problems);
    CheckAny({w.hour, w.minute, w.zone}, empty, message, problems);
    CheckAny({w.longDeg, w.longMin}, empty, message, problems);
    CheckAny({w.latDeg, w.latMin}, empty, message, problems);
    if (!ZoneSignFitsPlace(w)) problems.push_back({std::string(w.zone.name), message});
}

// A text that is not a number ("zz", however it reached the field), that holds more than a number
// ("12a") or whose number does not fit a double would be converted differently from how the checks
// read it; a date field must also fit the 16-bit whole number it is stored in.
bool NotUsableNumber(const Field& f, bool dateField) {
    if (!IsEmptyText(f.text) && !IsWholeNumberText(f.text)) return true;
    if (dateField) {
        const double rounded = std::nearbyint(Value(f.text));
        return rounded < std::numeric_limits<std::int16_t>::min() ||
               rounded > std::numeric_limits<std::int16_t>::max();
    }
    return false;
}

// The date fields as the chart reads them (rounded to whole numbers) name no day of the calendar:
// 31 February would otherwise become 3 March, month 0.4 month 0. Fields that the empty-field
// checks refuse (reading 0), that are too large, or whose year does not fit 16 bits are left to
// those checks, so that one fault is reported once.
bool DateMissing(const WindowFields& w) {
    const double month = Value(w.month.text), day = Value(w.day.text), year = Value(w.year.text);
    if (month == 0 || day == 0 || year == 0 || month > 12 || day > 31) return false;
    const double m = std::nearbyint(month), d = std::nearbyint(day), y = std::nearbyint(year);
    if (!(y >= std::numeric_limits<std::int16_t>::min() && y <= std::numeric_limits<std::int16_t>::max())) {
        return false;
    }
    if (!(m >= 1 && m <= 12) || !(d >= 1)) return true;
    return d > DaysInMonth(static_cast<int>(m), static_cast<int>(y));
}

std::vector<InputProblem> RangeChecks(const WindowFields& w, const char* message) {
    std::vector<InputProblem> problems;
    // One numbered check: the first field whose condition holds is reported, once.
    auto check = [&](std::initializer_list<std::pair<const Field*, bool>> conditions) {
        for (const auto& [field, fails] : conditions) {
            if (fails) {
                problems.push_back({std::string(field->name), message});
                return;
            }
        }
    };
    auto value = [](const Field& f) { return Value(f.text); };
    check({{&w.month, value(w.month) > 12}, {&w.day, value(w.day) > 31},
           {&w.year, value(w.year) > 2099}, {&w.day, DateMissing(w)}});
    check({{&w.hour, value(w.hour) > 12}, {&w.minute, value(w.minute) > 59}});
    check({{&w.zone, value(w.zone) > FarthestZoneBehind || value(w.zone) < FarthestZoneAhead}});
    check({{&w.longDeg, value(w.longDeg) > 180}, {&w.longMin, value(w.longMin) > 59}});
    check({{&w.latMin, value(w.latMin) > 59}});
    check({{&w.month, NotUsableNumber(w.month, true)},
           {&w.day, NotUsableNumber(w.day, true)},
           {&w.year, NotUsableNumber(w.year, true)},
           {&w.hour, NotUsableNumber(w.hour, false)},
           {&w.minute, NotUsableNumber(w.minute, false)},
           {&w.zone, NotUsableNumber(w.zone, false)},
           {&w.longDeg, NotUsableNumber(w.longDeg, false)},
           {&w.longMin, NotUsableNumber(w.longMin, false)},
           {&w.latDeg, NotUsableNumber(w.latDeg, false)},
           {&w.latMin, NotUsableNumber(w.latMin, false)}});
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
                              const HouseLatitudeLimit& limit) {
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
    for (const std::string_view code : ComputedHouseSystems) {
        const HouseLatitudeLimit other = LatitudeLimitOf(code);
        if (LatitudeAboveLimit(degrees, minutes, other)) continue;
        ++count;
        working = count == 1 ? std::string(other.name) : working + ", " + std::string(other.name);
    }
    // "A, B, C" reads "A, B and C".
    const std::size_t lastComma = working.rfind(", ");
    if (lastComma != std::string::npos) working.replace(lastComma, 2, " and ");
    std::string text = std::string(first) + "\n" + place + ": " + std::string(limit.name) +
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
                                             const HouseMenuMarks& marks) {
    const HouseLatitudeLimit limit = LatitudeLimitOf(HouseSystemCodeFromMarks(marks));
    for (const auto& [fields, section] : {std::pair{&natal, InputSection::Natal},
                                          std::pair{&diurnal, InputSection::Diurnal}}) {
        if (LatitudeAboveLimit(Value(fields->latDeg), Value(fields->latMin), limit)) {
            return {{std::string(ControlName(section, InputField::LatDeg)),
                     LatitudeLimitText(*fields, section, limit)}};
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

std::vector<InputProblem> CheckAllInput(const InputFields& natal, const InputFields& diurnal,
                                        const HouseMenuMarks& marks) {
    std::vector<InputProblem> all = CheckInputFields(natal, diurnal);
    for (auto part : {CheckLatitudeLimit(natal, diurnal, marks), CheckRanges(natal, InputSection::Natal),
                      CheckRanges(diurnal, InputSection::Diurnal)}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Message InputWarning(const InputProblem& problem) {
    return {"Warning!", MessageIcon::Information, problem.message};
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
