#pragma once
// Checking the natal and diurnal input fields before a chart is built, and turning them into the
// numbers the time conversions and the house engine use.
#include <string>
#include <vector>

#include "core/base/input_fields.h"
#include "core/base/messages.h"
#include "core/chart/chart_state.h"

namespace orrerion {

inline constexpr const char* NatalInputMessage = "Error in natal input data section. Please correct.";
inline constexpr const char* DiurnalInputMessage =
    "Error in diurnal input data section. Please correct.";
inline constexpr const char* LatitudeLimitMessage =
    "Your latitude is too high. Lower to 66 degrees, 00 minutes or below OR change house systems.";

// One failed check: the first field that made it fail and the message the user is shown.
struct InputProblem {
    std::string field;
    std::string message;
};

// The empty-field checks of both windows, natal first.
std::vector<InputProblem> CheckInputFields(const NatalFields& natal, const DiurnalFields& diurnal);
// Latitudes above 66 degrees 00 minutes, in either window, unless Meridian houses are chosen.
std::vector<InputProblem> CheckLatitudeLimit(const NatalFields& natal, const DiurnalFields& diurnal,
                                             const HouseMenuMarks& marks);
// The value ranges of each window; the last check refuses a field that starts with a number but
// holds more than the number ("12a"), or a date field beyond a 16-bit whole number.
std::vector<InputProblem> CheckNatalRanges(const NatalFields& natal);
std::vector<InputProblem> CheckDiurnalRanges(const DiurnalFields& diurnal);

// All four in their order; empty when the input can be parsed.
std::vector<InputProblem> CheckAllInput(const NatalFields& natal, const DiurnalFields& diurnal,
                                        const HouseMenuMarks& marks);

// The message box of a failed check: title "Warning!", information icon.
Message InputWarning(const InputProblem& problem);

// The parsed values of the natal window; ParseNatal must run before ParseDiurnal, which computes
// AgeYears and LastBirthdayYear from the parsed natal date.
void ParseNatal(const NatalFields& natal, int DateOrder, ParsedInput& input);
void ParseDiurnal(const DiurnalFields& diurnal, int DateOrder, ParsedInput& input);

// Month, day and year texts joined with "/" in the date order (any value other than 1 or 2 as 0).
std::string JoinDateText(const std::string& month, const std::string& day, const std::string& year,
                         int DateOrder);

}  // namespace orrerion
