#pragma once
// The field texts and option-button states of an input window, as plain data: one type for the
// natal window (the birth) and the diurnal window (the second moment and place). The windows fill
// these; the checks, the parser, the record loaders and the chart driver read them.
#include <array>
#include <string>
#include <string_view>

namespace orrerion {

// Which input window a set of fields belongs to. The two differ in their captions, their messages
// and in that only the natal window has a name.
enum class InputSection { Natal, Diurnal };

struct InputFields {
    std::string name;  // the natal window's Name; the diurnal window has none
    std::string month, day, year;
    std::string hour, minute;  // a 12-hour clock
    std::string zone;          // hours, west of Greenwich positive
    std::string longDeg, longMin;
    std::string latDeg, latMin;
    bool am = true;       // false: P.M.
    bool east = false;    // false: West
    bool south = false;   // false: North
};

// The text fields of an input window, for naming them in checks (the windows map them to their
// controls).
enum class InputField { Name, Month, Day, Year, Hour, Minute, Zone, LongDeg, LongMin, LatDeg, LatMin };
inline constexpr auto AllInputFields = std::to_array<InputField>(
    {InputField::Name, InputField::Month, InputField::Day, InputField::Year, InputField::Hour,
     InputField::Minute, InputField::Zone, InputField::LongDeg, InputField::LongMin,
     InputField::LatDeg, InputField::LatMin});
static_assert(AllInputFields.size() == 11);

std::string& FieldText(InputFields& fields, InputField field);
const std::string& FieldText(const InputFields& fields, InputField field);

// One text field of one input window: the field a failed check or a refused record is about, so
// that the desktop program can select it.
struct FieldRef {
    InputSection section = InputSection::Natal;
    InputField field = InputField::Name;
    bool operator==(const FieldRef&) const = default;
};

// The caption of a field's label in its window ("Birth Hour", "D. Time Zone . . ."); empty for the
// diurnal window's missing Name.
std::string_view FieldCaption(InputSection section, InputField field);
// The caption as messages name the field: without the dotted leader ("Time Zone").
std::string_view FieldLabel(InputSection section, InputField field);

enum class ProgressionType { Secondary, Minor, Tertiary };  // Option1, Option2, Option3

}  // namespace orrerion
