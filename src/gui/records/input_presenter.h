#pragma once
// The rules of the natal and diurnal windows that need no pixels: the fields NOW puts in, the
// Input command's refresh of a "Now" chart, and what "Use natal data" copies. Each gives the field
// texts as the window's own rules (the hour rule, the zone sign rule) leave them; the window puts
// them in with those rules running, so that nothing changes on the way.
#include <QDateTime>
#include <QLocale>
#include <string>

#include "core/base/input_fields.h"
#include "core/base/options.h"
#include "gui/app/local_clock.h"

namespace orrerion::gui {

// Whether the present moment is P.M.: on a 24-hour clock when the hour is 12 or more; otherwise
// when the locale's text of the time ends in "PM" or shows the locale's own P.M. marker.
bool ClockShowsPM(const QDateTime& now, const QLocale& locale, bool twentyFourHourClock);

// An option value as a field shows it: single-precision digits, no trailing zeros.
std::string OptionText(float value);

// The clock's date and time in the fields: month, day, year and minute without leading zeros, the
// hour through the hour rule (13..23 become 1..11, 0 becomes 12) and A.M. or P.M. as the clock
// shows it. The other fields are kept.
InputFields WithClock(InputSection section, InputFields fields, const LocalClock& clock);

// NOW: the clock as above, the default place of options 18 to 24 (zone, longitude degrees and
// minutes, East, latitude degrees and minutes, South) with the zone sign rule applied, and in the
// natal window the name "Now".
InputFields NowFields(InputSection section, InputFields fields, const LocalClock& clock,
                      const Options& options);

// "Use natal data": the natal clock time (through the diurnal hour rule, the natal meridiem kept)
// and place (the zone through the zone sign rule) over the diurnal fields; the date stays.
InputFields WithNatalTimeAndPlace(InputFields diurnal, const InputFields& natal);

}  // namespace orrerion::gui
