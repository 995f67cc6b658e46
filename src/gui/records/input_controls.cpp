#include "records/input_controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "records/input_rules.h"

namespace orrerion::gui {

void SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

TextBoxRules::TextBoxRules(QLineEdit& box, KeyFilter filter)
    : QObject(&box), box_(box), filter_(filter) {
    box.installEventFilter(this);
}

bool TextBoxRules::Accepts(KeyFilter filter, QChar c) {
    if (c == QChar('\b')) return true;
    if (c >= QChar('0') && c <= QChar('9')) return true;
    switch (filter) {
        case KeyFilter::AnyKey: return true;
        case KeyFilter::Digits: return false;
        case KeyFilter::DigitsAndSign: return c == QChar('-') || c == QChar('.');
    }
    return false;
}

bool TextBoxRules::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &box_) return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (Ctrl+C, Ctrl+V, Alt+letter) and keys without a printable character (arrows,
        // Delete, Home, Tab) keep their usual meaning.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            return false;
        }
        const QString text = key->text();
        if (text.isEmpty()) return false;
        for (const QChar c : text) {
            if (!c.isPrint()) continue;
            if (!Accepts(filter_, c)) return true;  // the key is discarded
        }
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        // Queued: a mouse press that brings the focus places the cursor after the focus event.
        QTimer::singleShot(0, &box_, [box = &box_] {
            if (box->hasFocus()) box->selectAll();
        });
    }
    return false;
}

ClickLabel::ClickLabel(const QString& text, const QString& objectName, QWidget* parent)
    : QLabel(text, parent) {
    setObjectName(objectName);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
    setMargin(3);
    setForegroundRole(QPalette::Link);
    // The focus is shown by the label's colours, as a label draws no focus rectangle of its own.
    setStyleSheet(
        "ClickLabel:focus { background-color: palette(highlight); color: palette(highlighted-text); }");
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        event->key() == Qt::Key_Space) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

bool ClockShowsPM(const QDateTime& now, const QLocale& locale, int TwentyFourHourClock) {
    if (TwentyFourHourClock == 1) return now.time().hour() >= 12;
    const QString text =
        locale.toString(now.time(), locale.timeFormat(QLocale::ShortFormat)).toUpper();
    if (text.endsWith("PM")) return true;
    // Locales whose P.M. marker is not "PM" (Korean writes its own word in front of the time):
    // without this, every afternoon time there would be taken as A.M.
    const QString pm = locale.pmText().toUpper();
    const QString am = locale.amText().toUpper();
    return !pm.isEmpty() && pm != am && pm != "PM" && text.contains(pm);
}

ClockTexts ClockFieldTexts(const QDateTime& now, const QLocale& locale, int TwentyFourHourClock) {
    ClockTexts texts;
    const QDate date = now.date();
    const QTime time = now.time();
    texts.month = QString::number(date.month());
    texts.day = QString::number(date.day());
    texts.year = QString::number(date.year());
    texts.hour = QString::number(time.hour());
    texts.minute = QString::number(time.minute());
    texts.pm = ClockShowsPM(now, locale, TwentyFourHourClock);
    return texts;
}

QString OptionText(float value) {
    // Single precision shows seven significant digits; NumberText then drops any exponent.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.7g", static_cast<double>(value));
    return QString::fromStdString(NumberText(std::strtod(digits, nullptr)));
}

DefaultPlaceTexts DefaultPlace(const Options& options) {
    const auto& v = options.OptionValue;
    DefaultPlaceTexts place;
    place.zone = OptionText(v[18]);
    place.longDeg = OptionText(v[19]);
    place.longMin = OptionText(v[20]);
    place.east = v[21] != 0;
    place.latDeg = OptionText(v[22]);
    place.latMin = OptionText(v[23]);
    place.south = v[24] != 0;
    return place;
}

}  // namespace orrerion::gui
