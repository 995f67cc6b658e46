#pragma once
// Start-up values taken from the system: the date order and clock style of the locale, the data
// window's font step for the screen, and the main window's title text.
#include <QLocale>
#include <string>

namespace orrerion::gui {

struct LocaleOrder {
    int DateOrder = 0;            // 0 month/day/year, 1 day/month/year, 2 year/month/day
    bool twentyFourHourClock = false;  // times are shown on a 24-hour clock
};

// The order of day, month and year in the locale's short date format, and whether its time format
// has no A.M./P.M. marker.
LocaleOrder ReadLocaleOrder(const QLocale& locale);

// The step of the data window's Increase and Decrease commands: 1.5 on a 640-pixel screen, on an
// 800-pixel screen unless a pixel is 12 twips, and on any screen whose pixel is 15 twips; else 1.2.
double FontStepForScreen(int screenWidthPixels, int twipsPerPixel);

// "(Tropical zodiac) - Orrerion ".
std::string BuildWindowTitle();

// The caption clock: the title, the date as "dd MMM yyyy", five blanks and the time.
QString CaptionWithClock(const std::string& windowTitle, const QDateTime& now,
                         const QLocale& locale);

}  // namespace orrerion::gui
