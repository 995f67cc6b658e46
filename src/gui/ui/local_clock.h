#pragma once
// The system's clock and how it shows times: read by the input windows for NOW and by the main
// window's caption clock.
#include <QDateTime>
#include <QLocale>
#include <functional>

namespace orrerion::gui {

struct LocalClock {
    QLocale locale;  // formats clock times and numbers typed into fields
    // The locale shows times without A.M./P.M. Set once by the shell's start-up from the locale.
    bool twentyFourHourClock = false;
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

}  // namespace orrerion::gui
