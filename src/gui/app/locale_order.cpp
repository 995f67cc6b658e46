#include "gui/app/locale_order.h"

#include <QDateTime>

namespace orrerion::gui {

LocaleOrder ReadLocaleOrder(const QLocale& locale) {
    LocaleOrder order;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf('d');
    const qsizetype month = format.indexOf('M');
    const qsizetype year = format.indexOf('y');
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month)) {
        order.DateOrder = 2;
    } else if (day >= 0 && month >= 0 && day < month) {
        order.DateOrder = 1;
    }
    const QString time = locale.timeFormat(QLocale::ShortFormat);
    order.twentyFourHourClock = !time.contains('a', Qt::CaseInsensitive);
    return order;
}

double FontStepForScreen(int screenWidthPixels, int twipsPerPixel) {
    if (screenWidthPixels == 640) return 1.5;
    if (screenWidthPixels == 800) return twipsPerPixel == 12 ? 1.2 : 1.5;
    return twipsPerPixel == 15 ? 1.5 : 1.2;
}

std::string BuildWindowTitle() { return std::string("(Tropical zodiac) - ") + "Orrerion "; }

QString CaptionWithClock(const std::string& windowTitle, const QDateTime& now,
                         const QLocale& locale) {
    // The long time format without its time-zone name ("t"), as the clock shows seconds.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QLatin1String(" t")).remove(QLatin1Char('t'));
    return QString::fromStdString(windowTitle) + locale.toString(now.date(), "dd MMM yyyy") +
           "     " + locale.toString(now.time(), timeFormat.trimmed());
}

}  // namespace orrerion::gui
