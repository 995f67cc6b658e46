#include "core/base/input_fields.h"

namespace orrerion {
namespace {

// Each field's text box and the caption of its label, in the natal and in the diurnal window.
struct ControlNames {
    InputField field;
    std::string_view natal;
    std::string_view diurnal;
    std::string_view natalCaption;
    std::string_view diurnalCaption;
};

constexpr auto Controls = std::to_array<ControlNames>({
    {InputField::Name, "txtName", "", "Name", ""},
    {InputField::Month, "txtMonth", "txtDiurnalMonth", "Birth Month", "Diurnal Month"},
    {InputField::Day, "txtDay", "txtDiurnalDay", "Birth Day", "Diurnal Day"},
    {InputField::Year, "txtYear", "txtDiurnalYear", "Birth Year", "Diurnal Year"},
    {InputField::Hour, "txtBirthHour", "txtDiurnalHour", "Birth Hour", "Diurnal Hour"},
    {InputField::Minute, "txtBirthMinute", "txtDiurnalMinute", "Birth Minute", "Diurnal Min."},
    {InputField::Zone, "txtTZ", "txtDiurnalTZ", "Time Zone . . .", "D. Time Zone . . ."},
    {InputField::LongDeg, "txtLongDeg", "txtDiurnalLongDeg", "Long Degrees", "D. Long Deg."},
    {InputField::LongMin, "txtLongMin", "txtDiurnalLongMin", "Long Minutes", "D. Long Min."},
    {InputField::LatDeg, "txtLatDeg", "txtDiurnalLatDeg", "Lat Degrees", "D. Lat Deg."},
    {InputField::LatMin, "txtLatMin", "txtDiurnalLatMin", "Lat Minutes", "D. Lat Min."},
});
static_assert(Controls.size() == AllInputFields.size());

}  // namespace

std::string& FieldText(InputFields& f, InputField field) {
    return const_cast<std::string&>(FieldText(static_cast<const InputFields&>(f), field));
}

const std::string& FieldText(const InputFields& f, InputField field) {
    switch (field) {
        case InputField::Name: return f.name;
        case InputField::Month: return f.month;
        case InputField::Day: return f.day;
        case InputField::Year: return f.year;
        case InputField::Hour: return f.hour;
        case InputField::Minute: return f.minute;
        case InputField::Zone: return f.zone;
        case InputField::LongDeg: return f.longDeg;
        case InputField::LongMin: return f.longMin;
        case InputField::LatDeg: return f.latDeg;
        case InputField::LatMin: return f.latMin;
    }
    return f.name;
}

std::string_view ControlName(InputSection section, InputField field) {
    for (const ControlNames& c : Controls) {
        if (c.field == field) return section == InputSection::Natal ? c.natal : c.diurnal;
    }
    return {};
}

std::string_view FieldCaption(InputSection section, InputField field) {
    for (const ControlNames& c : Controls) {
        if (c.field == field) return section == InputSection::Natal ? c.natalCaption : c.diurnalCaption;
    }
    return {};
}

std::string_view FieldLabel(InputSection section, InputField field) {
    std::string_view caption = FieldCaption(section, field);
    constexpr std::string_view Leader = " . . .";
    if (caption.ends_with(Leader)) caption.remove_suffix(Leader.size());
    return caption;
}

}  // namespace orrerion
