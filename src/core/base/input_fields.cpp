#include "core/base/input_fields.h"

namespace orrerion {
namespace {

struct ControlNames {
    InputField field;
    std::string_view natal;
    std::string_view diurnal;
};

constexpr auto Controls = std::to_array<ControlNames>({
    {InputField::Name, "txtName", ""},
    {InputField::Month, "txtMonth", "txtDiurnalMonth"},
    {InputField::Day, "txtDay", "txtDiurnalDay"},
    {InputField::Year, "txtYear", "txtDiurnalYear"},
    {InputField::Hour, "txtBirthHour", "txtDiurnalHour"},
    {InputField::Minute, "txtBirthMinute", "txtDiurnalMinute"},
    {InputField::Zone, "txtTZ", "txtDiurnalTZ"},
    {InputField::LongDeg, "txtLongDeg", "txtDiurnalLongDeg"},
    {InputField::LongMin, "txtLongMin", "txtDiurnalLongMin"},
    {InputField::LatDeg, "txtLatDeg", "txtDiurnalLatDeg"},
    {InputField::LatMin, "txtLatMin", "txtDiurnalLatMin"},
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

}  // namespace orrerion
