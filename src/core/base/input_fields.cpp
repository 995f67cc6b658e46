#include "core/base/input_fields.h"

namespace orrerion {
namespace {

// The caption of each field's label, in the natal and in the diurnal window.
struct Captions {
    InputField field;
    std::string_view natal;
    std::string_view diurnal;
};

constexpr auto FieldCaptions = std::to_array<Captions>({
    {InputField::Name, "Name", ""},
    {InputField::Month, "Birth Month", "Diurnal Month"},
    {InputField::Day, "Birth Day", "Diurnal Day"},
    {InputField::Year, "Birth Year", "Diurnal Year"},
    {InputField::Hour, "Birth Hour", "Diurnal Hour"},
    {InputField::Minute, "Birth Minute", "Diurnal Min."},
    {InputField::Zone, "Time Zone . . .", "D. Time Zone . . ."},
    {InputField::LongDeg, "Long Degrees", "D. Long Deg."},
    {InputField::LongMin, "Long Minutes", "D. Long Min."},
    {InputField::LatDeg, "Lat Degrees", "D. Lat Deg."},
    {InputField::LatMin, "Lat Minutes", "D. Lat Min."},
});
static_assert(FieldCaptions.size() == AllInputFields.size());

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

std::string_view FieldCaption(InputSection section, InputField field) {
    for (const Captions& c : FieldCaptions) {
        if (c.field == field) return section == InputSection::Natal ? c.natal : c.diurnal;
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
