#pragma once
// Checking the natal and diurnal input fields before a chart is built, and turning them into the
// numbers the time conversions and the house engine use.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/chart/chart_state.h"
#include "core/chart/houses.h"
#include "core/ephemeris/ephemeris.h"

namespace orrerion {

inline constexpr const char* NatalInputMessage = "Error in natal input data section. Please correct.";
inline constexpr const char* DiurnalInputMessage =
    "Error in diurnal input data section. Please correct.";
// The first line of the refusal of a latitude above the Placidus and Koch limit; a second line
// names the window, the latitude, why the system stops there and the systems that work there.
inline constexpr const char* LatitudeLimitMessage =
    "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems.";

// One failed check: the first field that made it fail, the message of its
// window's section, and the reason: the field by the caption of its label and the rule it broke
// ("Birth Hour: 13 is not an hour from 1 to 12 with A.M./P.M."). For the latitude limit the
// reason names the latitude, the system's limit and the systems that work there.
struct InputProblem {
    FieldRef field;
    std::string message;
    std::string reason;
};

// The empty-field checks of both windows, natal first.
std::vector<InputProblem> CheckInputFields(const InputFields& natal, const InputFields& diurnal);
// A latitude, in either window (natal first), above the limit of the chosen house system
// (its row's limit): one problem on the latitude degrees, whose message is LatitudeLimitText.
std::vector<InputProblem> CheckLatitudeLimit(const InputFields& natal, const InputFields& diurnal,
                                             HouseSystem system);
// The value ranges of each window, and that the date is one of the calendar (no 31 February);
// the last check refuses a field that is not a number ("zz"), holds more than a number ("12a"),
// holds a number too large for a double, or a date field beyond a 16-bit whole number.
std::vector<InputProblem> CheckRanges(const InputFields& fields, InputSection section);

// "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems."
// (with the system's own limit), then on a second line the window's latitude, why the system
// stops at its limit and the systems that work at that latitude.
std::string LatitudeLimitText(const InputFields& fields, InputSection section,
                              const HouseSystemRow& system);

// "Error in natal input data section. Please correct." or the diurnal one.
const char* InputMessage(InputSection section);

// The reason for a day its month does not have: "Birth Day: 29 February 1951 is not a day of the
// calendar: 1951 is no leap year".
std::string MissingDayReason(InputSection section, int day, int month, int year);

// The empty-field and range checks of one window as a calculation applies them, without the
// latitude limit (which depends on the house system): what a names record must pass to be saved.
std::vector<InputProblem> CheckSection(const InputFields& fields, InputSection section);

// All four in their order; empty when the input can be parsed.
std::vector<InputProblem> CheckAllInput(const InputFields& natal, const InputFields& diurnal,
                                        HouseSystem system);

// The message box of a failed check: title "Warning!", information icon; the message, and the
// reason (when there is one) on a second line.
Message InputWarning(const InputProblem& problem);

// The zone is decimal hours west of Greenwich. A zone whose decimals read like minutes (.15, .30,
// .45) keeps that meaning, and the note says how it was read and how the minutes are written:
// "zone -5.30 is read as 5 h 18 min east; write -5.5 for 5 h 30 min". Nothing for other zones.
std::optional<std::string> ZoneReadingNote(std::string_view zoneText);

// Dates that pass the checks but are probably not what was meant: a natal or diurnal moment the
// built-in series is not good for (outside BuiltinFirstYear..BuiltinLastYear), or that precise
// positions compute from the library's fallback series rather than its data files; a diurnal
// moment before the birth.
enum class DateDoubtKind { OutsideBuiltinYears, PreciseFallback, BeforeBirth };
struct DateDoubt {
    DateDoubtKind kind;
    std::string text;  // "Diurnal date 7 December 6 precedes the birth, 13 January 1950."
};
// The doubts of both windows' dates for the chosen source; none when either window fails
// CheckSection (the calculation's checks report that).
std::vector<DateDoubt> CheckDatePlausibility(const InputFields& natal, const InputFields& diurnal,
                                             int DateOrder, EphemerisSource source);

// The values of one window's fields: the date as whole numbers, the clock time (H.MM, 12-hour),
// the zone, and the place with its sign from East/South (D.MM; west and north positive).
struct ParsedMoment {
    std::int16_t day = 0, month = 0, year = 0;
    float hour = 0.0f;  // deliberate single precision, as the parsed values are kept
    float zone = 0.0f;
    std::string meridiem;  // "A.M." or "P.M."
    float longitude = 0.0f;
    std::string longitudeWord;  // "WEST" or "EAST"
    float latitude = 0.0f;
    std::string latitudeWord;  // "NORTH" or "SOUTH"
    std::string dateText;      // month, day and year joined in the date order
};
ParsedMoment ParseMoment(const InputFields& fields, int DateOrder);

// The parsed values of the natal and diurnal windows into the chart's input; ParseNatal must run
// before ParseDiurnal, which computes AgeYears and LastBirthdayYear from the parsed natal date.
void ParseNatal(const InputFields& natal, int DateOrder, ParsedInput& input);
void ParseDiurnal(const InputFields& diurnal, int DateOrder, ParsedInput& input);

// Month, day and year texts joined with "/" in the date order (any value other than 1 or 2 as 0).
std::string JoinDateText(const std::string& month, const std::string& day, const std::string& year,
                         int DateOrder);

}  // namespace orrerion
