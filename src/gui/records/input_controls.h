#pragma once
// What the natal and diurnal input windows share: the key filter and select-all-on-focus of their
// text boxes, the clickable labels, and the texts that fill the windows from the clock and from
// the default place of the options.
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QObject>
#include <QString>
#include <initializer_list>

#include "records/options_file.h"

class QLineEdit;

namespace orrerion::gui {

// Where the input windows stand: below the main window's bar, the natal window at the bar's left
// edge and the diurnal window to its right.
inline constexpr int InputWindowsLeft = 59;
inline constexpr int InputWindowsTop = 90;
inline constexpr int GapBetweenInputWindows = 16;

// The Tab key visits the widgets in this order.
void SetTabChain(std::initializer_list<QWidget*> widgets);

// Which keys a text box accepts.
enum class KeyFilter {
    AnyKey,        // the name
    Digits,        // 0-9 and Backspace
    DigitsAndSign  // the zone: also "-" and "."
};

// Installed on a text box: discards printable keys the box does not accept (navigation and
// editing keys and Ctrl/Alt combinations pass) and selects the whole text when the box gets the
// focus, so typing replaces it. Pasted text is not filtered.
class TextBoxRules : public QObject {
    Q_OBJECT
public:
    TextBoxRules(QLineEdit& box, KeyFilter filter);

    // Whether a typed character may go into a box with this filter.
    static bool Accepts(KeyFilter filter, QChar c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& box_;
    KeyFilter filter_;
};

// A label that acts as a button: underlined, with a pointing hand, reachable with Tab and pressed
// with the left mouse button, Enter or Space.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& text, const QString& objectName, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The date and time fields of the present moment: month, day, year, hour (0..23; the hour rule
// turns it into 1..12) and minute without leading zeros, and whether the moment is P.M.
struct ClockTexts {
    QString month, day, year, hour, minute;
    bool pm = false;
};
ClockTexts ClockFieldTexts(const QDateTime& now, const QLocale& locale, int TwentyFourHourClock);

// Whether the present moment is P.M.: on a 24-hour clock when the hour is 12 or more; otherwise
// when the locale's text of the time ends in "PM" or shows the locale's own P.M. marker.
bool ClockShowsPM(const QDateTime& now, const QLocale& locale, int TwentyFourHourClock);

// The default place of options 18 to 24: zone, longitude degrees and minutes, East, latitude
// degrees and minutes, South.
struct DefaultPlaceTexts {
    QString zone, longDeg, longMin, latDeg, latMin;
    bool east = false;
    bool south = false;
};
DefaultPlaceTexts DefaultPlace(const Options& options);

// An option value as a field shows it: single-precision digits, no trailing zeros.
QString OptionText(float value);

}  // namespace orrerion::gui
