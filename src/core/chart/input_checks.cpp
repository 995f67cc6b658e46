#include "core/chart/input_checks.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>

#include "core/chart/houses.h"
#include "core/io/number_text.h"

namespace orrerion {
namespace {

// A field as the checks see it: its control name and its text.
struct Field {
    const char* name;
    const std::string& text;
};

bool IsEmptyText(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

double Value(const std::string& text) { return LeadingNumber(text); }

// The views of one window that the checks share between the natal and the diurnal fields.
struct WindowFields {
    Field month, day, year, hour, minute, zone, longDeg, longMin, latDeg, latMin;
    bool east;
};

WindowFields View(const NatalFields& f) {
    return {{"txtMonth", f.txtMonth},         {"txtDay", f.txtDay},
            {"txtYear", f.txtYear},           {"txtBirthHour", f.txtBirthHour},
            {"txtBirthMinute", f.txtBirthMinute}, {"txtTZ", f.txtTZ},
            {"txtLongDeg", f.txtLongDeg},     {"txtLongMin", f.txtLongMin},
            {"txtLatDeg", f.txtLatDeg},       {"txtLatMin", f.txtLatMin},
            f.optEast};
}

WindowFields View(const DiurnalFields& f) {
    return {{"txtDiurnalMonth", f.txtDiurnalMonth},     {"txtDiurnalDay", f.txtDiurnalDay},
            {"txtDiurnalYear", f.txtDiurnalYear},       {"txtDiurnalHour", f.txtDiurnalHour},
            {"txtDiurnalMinute", f.txtDiurnalMinute},   {"txtDiurnalTZ", f.txtDiurnalTZ},
            {"txtDiurnalLongDeg", f.txtDiurnalLongDeg}, {"txtDiurnalLongMin", f.txtDiurnalLongMin},
            {"txtDiurnalLatDeg", f.txtDiurnalLatDeg},   {"txtDiurnalLatMin", f.txtDiurnalLatMin},
            f.optDiurnalEast};
}

// Adds one problem when any of the fields fails `test`, naming the first that does.
template <typename Test>
void CheckAny(std::initializer_list<Field> fields, Test test, const char* message,
              std::vector<InputProblem>& problems) {
    for (const Field& f : fields) {
        if (test(f)) {
            problems.push_back({f.name, message});
            return;
        }
    }
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
    if (Value(w.zone.text) < -2 && !w.east) problems.push_back({w.zone.name, message});
}

// True when the text, after blanks, begins with a number: a sign, then a digit or a point and a digit.
bool StartsWithNumber(const std::string& text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    if (text[i] == '+' || text[i] == '-') ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

// A text that starts with a number but holds more ("12a") would be converted differently from how
// the checks read it; a date field must also fit the 16-bit whole number it is stored in.
bool NotUsableNumber(const Field& f, bool dateField) {
    if (StartsWithNumber(f.text) && !IsWholeNumberText(f.text)) return true;
    if (dateField) {
        const double rounded = std::nearbyint(Value(f.text));
        return rounded < std::numeric_limits<std::int16_t>::min() ||
               rounded > std::numeric_limits<std::int16_t>::max();
    }
    return false;
}

std::vector<InputProblem> RangeChecks(const WindowFields& w, const char* message) {
    std::vector<InputProblem> problems;
    // One numbered check: the first field whose condition holds is reported, once.
    auto check = [&](std::initializer_list<std::pair<const Field*, bool>> conditions) {
        for (const auto& [field, fails] : conditions) {
            if (fails) {
                problems.push_back({field->name, message});
                return;
            }
        }
    };
    auto value = [](const Field& f) { return Value(f.text); };
    check({{&w.month, value(w.month) > 12}, {&w.day, value(w.day) > 31},
           {&w.year, value(w.year) > 2099}});
    check({{&w.hour, value(w.hour) > 12}, {&w.minute, value(w.minute) > 59}});
    check({{&w.zone, value(w.zone) > 12 || value(w.zone) < -13}});
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

std::vector<InputProblem> CheckInputFields(const NatalFields& natal, const DiurnalFields& diurnal) {
    std::vector<InputProblem> problems;
    EmptyFieldChecks(View(natal), NatalInputMessage, problems);
    EmptyFieldChecks(View(diurnal), DiurnalInputMessage, problems);
    return problems;
}

std::vector<InputProblem> CheckLatitudeLimit(const NatalFields& natal, const DiurnalFields& diurnal,
                                             const HouseMenuMarks& marks) {
    if (marks.mnuHouseMeridian) return {};
    if (LatitudeAboveLimit(Value(natal.txtLatDeg), Value(natal.txtLatMin))) {
        return {{"txtLatDeg", LatitudeLimitMessage}};
    }
    if (LatitudeAboveLimit(Value(diurnal.txtDiurnalLatDeg), Value(diurnal.txtDiurnalLatMin))) {
        return {{"txtDiurnalLatDeg", LatitudeLimitMessage}};
    }
    return {};
}

std::vector<InputProblem> CheckNatalRanges(const NatalFields& natal) {
    return RangeChecks(View(natal), NatalInputMessage);
}

std::vector<InputProblem> CheckDiurnalRanges(const DiurnalFields& diurnal) {
    return RangeChecks(View(diurnal), DiurnalInputMessage);
}

std::vector<InputProblem> CheckAllInput(const NatalFields& natal, const DiurnalFields& diurnal,
                                        const HouseMenuMarks& marks) {
    std::vector<InputProblem> all = CheckInputFields(natal, diurnal);
    for (auto part : {CheckLatitudeLimit(natal, diurnal, marks), CheckNatalRanges(natal),
                      CheckDiurnalRanges(diurnal)}) {
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

void ParseNatal(const NatalFields& f, int DateOrder, ParsedInput& in) {
    in.NatalDay = WholeNumber(f.txtDay);
    in.NatalMonth = WholeNumber(f.txtMonth);
    in.NatalYear = WholeNumber(f.txtYear);
    in.NatalZone = static_cast<float>(Value(f.txtTZ));
    in.NatalDateText = JoinDateText(f.txtMonth, f.txtDay, f.txtYear, DateOrder);
    in.NatalHour = static_cast<float>(Value(f.txtBirthHour) + Value(f.txtBirthMinute) / 100);
    in.NatalMeridiem = f.optAM ? "A.M." : "P.M.";
    float longitude = static_cast<float>(Value(f.txtLongDeg) + Value(f.txtLongMin) / 100);
    if (f.optEast) longitude = -longitude;
    in.NatalLongitude = longitude;
    in.NatalLongitudeWord = longitude >= 0 ? "WEST" : "EAST";
    float latitude = static_cast<float>(Value(f.txtLatDeg) + Value(f.txtLatMin) / 100);
    if (f.optSouth) latitude = -latitude;
    in.NatalLatitude = latitude;
    in.NatalLatitudeWord = latitude >= 0 ? "NORTH" : "SOUTH";
}

void ParseDiurnal(const DiurnalFields& f, int DateOrder, ParsedInput& in) {
    in.DiurnalDay = WholeNumber(f.txtDiurnalDay);
    in.DiurnalMonth = WholeNumber(f.txtDiurnalMonth);
    in.DiurnalYear = WholeNumber(f.txtDiurnalYear);
    in.DiurnalZone = static_cast<float>(Value(f.txtDiurnalTZ));
    in.DiurnalDateText =
        JoinDateText(f.txtDiurnalMonth, f.txtDiurnalDay, f.txtDiurnalYear, DateOrder);
    const int beforeBirthday = BeforeBirthday(in) ? 1 : 0;
    in.AgeYears = static_cast<std::int16_t>(in.DiurnalYear - in.NatalYear - beforeBirthday);
    in.LastBirthdayYear = static_cast<std::int16_t>(in.DiurnalYear - beforeBirthday);
    in.DiurnalHour =
        static_cast<float>(Value(f.txtDiurnalHour) + Value(f.txtDiurnalMinute) / 100);
    in.DiurnalMeridiem = f.optDiurnalAM ? "A.M." : "P.M.";
    float longitude =
        static_cast<float>(Value(f.txtDiurnalLongDeg) + Value(f.txtDiurnalLongMin) / 100);
    if (f.optDiurnalEast) longitude = -longitude;
    in.DiurnalLongitude = longitude;
    in.DiurnalLongitudeWord = longitude >= 0 ? "WEST" : "EAST";
    float latitude =
        static_cast<float>(Value(f.txtDiurnalLatDeg) + Value(f.txtDiurnalLatMin) / 100);
    if (f.optDiurnalSouth) latitude = -latitude;
    in.DiurnalLatitude = latitude;
    in.DiurnalLatitudeWord = latitude >= 0 ? "NORTH" : "SOUTH";
}

}  // namespace orrerion
