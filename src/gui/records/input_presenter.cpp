#include "gui/records/input_presenter.h"

#include <cstdio>
#include <cstdlib>

#include "core/chart/input_rules.h"

namespace orrerion::gui {
namespace {

// The hour text as the hour rule leaves it. The meridiem the rule would select is set by the
// caller afterwards, as the windows always did; a message the rule gives (an empty hour) is shown
// by the window's hour box when the text is put in.
std::string HourAfterRule(InputSection section, std::string hour) {
    bool am = true;
    ApplyHourRule(hour, am, HourEmptyMessage(section));
    return hour;
}

}  // namespace

bool ClockShowsPM(const QDateTime& now, const QLocale& locale, bool twentyFourHourClock) {
    if (twentyFourHourClock) return now.time().hour() >= 12;
    const QString text =
        locale.toString(now.time(), locale.timeFormat(QLocale::ShortFormat)).toUpper();
    if (text.endsWith("PM")) return true;
    // Locales whose P.M. marker is not "PM" (Korean writes its own word in front of the time):
    // without this, every afternoon time there would be taken as A.M.
    const QString pm = locale.pmText().toUpper();
    const QString am = locale.amText().toUpper();
    return !pm.isEmpty() && pm != am && pm != "PM" && text.contains(pm);
}

std::string OptionText(float value) {
    // Single precision shows seven significant digits; NumberText then drops any exponent.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(value));
    return NumberText(std::strtod(digits, nullptr));
}

InputFields WithClock(InputSection section, InputFields fields, const LocalClock& clock) {
    const QDateTime now = clock.now();
    fields.month = std::to_string(now.date().month());
    fields.day = std::to_string(now.date().day());
    fields.year = std::to_string(now.date().year());
    fields.hour = HourAfterRule(section, std::to_string(now.time().hour()));
    fields.minute = std::to_string(now.time().minute());
    fields.am = !ClockShowsPM(now, clock.locale, clock.twentyFourHourClock);
    return fields;
}

InputFields NowFields(InputSection section, InputFields fields, const LocalClock& clock,
                      const Options& options) {
    if (section == InputSection::Natal) fields.name = "Now";
    fields = WithClock(section, std::move(fields), clock);
    fields.zone = OptionText(options[Option::HomeZone]);
    fields.longDeg = OptionText(options[Option::HomeLongitudeDegrees]);
    fields.longMin = OptionText(options[Option::HomeLongitudeMinutes]);
    fields.east = options[Option::HomeLongitudeEast] != 0;
    ApplyZoneSignRule(fields.zone, fields.east);
    fields.latDeg = OptionText(options[Option::HomeLatitudeDegrees]);
    fields.latMin = OptionText(options[Option::HomeLatitudeMinutes]);
    fields.south = options[Option::HomeLatitudeSouth] != 0;
    return fields;
}

InputFields WithNatalTimeAndPlace(InputFields diurnal, const InputFields& natal) {
    diurnal.hour = HourAfterRule(InputSection::Diurnal, natal.hour);
    diurnal.minute = natal.minute;
    diurnal.am = natal.am;
    diurnal.zone = natal.zone;
    diurnal.longDeg = natal.longDeg;
    diurnal.longMin = natal.longMin;
    diurnal.latDeg = natal.latDeg;
    diurnal.latMin = natal.latMin;
    diurnal.east = natal.east;
    ApplyZoneSignRule(diurnal.zone, diurnal.east);
    diurnal.south = natal.south;
    return diurnal;
}

}  // namespace orrerion::gui
