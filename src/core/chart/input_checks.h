#pragma once
// Checking the natal and diurnal input fields before a chart is built, and turning them into the
// numbers the time conversions and the house engine use.
#include <cstdint>
#include <string>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/chart/chart_state.h"
#include "core/chart/houses.h"

namespace orrerion {

inline constexpr const char* NatalInputMessage = "Error in natal input data section. Please correct.";
inline constexpr const char* DiurnalInputMessage =
    "Error in diurnal input data section. Please correct.";
// The first line of the refusal of a latitude above the Placidus and Koch limit; a second line
// names the window, the latitude, why the system stops there and the systems that work there.
inline constexpr const char* LatitudeLimitMessage =
    "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems.";

// One failed check: the first field that made it fail and the message the user is shown.
struct InputProblem {
    std::string field;
    std::string message;
};

// The empty-field checks of both windows, natal first.
std::vector<InputProblem> CheckInputFields(const InputFields& natal, const InputFields& diurnal);
// A latitude, in either window (natal first), above the limit of the chosen house system
// (LatitudeLimitOf): one problem on the latitude degrees, whose message is LatitudeLimitText.
std::vector<InputProblem> CheckLatitudeLimit(const InputFields& natal, const InputFields& diurnal,
                                             const HouseMenuMarks& marks);
// The value ranges of each window, and that the date is one of the calendar (no 31 February);
// the last check refuses a field that is not a number ("zz"), holds more than a number ("12a"),
// holds a number too large for a double, or a date field beyond a 16-bit whole number.
std::vector<InputProblem> CheckRanges(const InputFields& fields, InputSection section);

// "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems."
// (with the system's own limit), then on a second line the window's latitude, why the system
// stops at its limit and the systems that work at that latitude.
std::string LatitudeLimitText(const InputFields& fields, InputSection section,
                              const HouseLatitudeLimit& limit);

// "Error in natal input data section. Please correct." or the diurnal one.
const char* InputMessage(InputSection section);

// All four in their order; empty when the input can be parsed.
std::vector<InputProblem> CheckAllInput(const InputFields& natal, const InputFields& diurnal,
                                        const HouseMenuMarks& marks);

// The message box of a failed check: title "Warning!", information icon.
Message InputWarning(const InputProblem& problem);

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
