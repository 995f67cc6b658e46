#pragma once
// The controls the natal and diurnal input windows are built from: the grid of captioned text
// boxes and framed option buttons, the key filter and select-all-on-focus of their text boxes, the
// clickable labels, the hour and zone sign rules on the controls, and the mapping of the controls
// to the fields.
#include <QLabel>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string_view>

#include "core/base/input_fields.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLineEdit;
class QRadioButton;

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

// The grid an input window lays its controls on: fixed to its contents, with the margins and
// spacing both input windows use.
QGridLayout* NewInputGrid(QWidget& window);

// Enter or Return that reached an input window (no control took it): a focused push button is
// pressed, as in a dialog; otherwise `pressOK` runs, OK being the default button of the natal and
// diurnal windows. Returns whether the key was one of the two.
bool EnterPressesDefault(QWidget& window, QKeyEvent* event, const std::function<void()>& pressOK);

// One row of an input window's grid: in column 0 a caption label (captionName, caption), added to
// `framed` so the window draws the sunken frame around it; in column 1 a text box (boxName,
// boxWidth pixels wide, spanning columnSpan columns) that keeps to the key filter. Returns the box.
QLineEdit* AddCaptionedTextBox(QGridLayout& grid, int row, QList<QWidget*>& framed,
                               const char* captionName, const char* caption, const char* boxName,
                               KeyFilter filter, int boxWidth = 64, int columnSpan = 1);

// A titled frame for option buttons, laid out side by side or (Qt::Vertical) one below the other,
// added to `framed`.
QGroupBox* NewOptionFrame(QWidget& window, QList<QWidget*>& framed, const char* name,
                          const char* title, Qt::Orientation orientation = Qt::Horizontal);
// An option button at the end of the frame.
QRadioButton* AddOption(QGroupBox& frame, const char* name, const char* text);

// The two lookups shown beside the zone: "TZ Help" (Label1, also Alt+Z) and "Atlas" (Label2, also
// Alt+A), both added to `framed`. The keys press the labels, so the window connects only their
// clicked signals. Returns the row that holds them, for the window's grid.
QHBoxLayout* NewLookupLabels(QWidget& window, QList<QWidget*>& framed, ClickLabel*& timeZones,
                             ClickLabel*& atlas);

class Dialogs;

// The hour rule on a window's hour box: its message shown (with the whole text selected when the
// text is not a number), P.M. selected above 12, and the replaced text put back, which is a change
// of its own and runs the rule again until the hour stands.
void RunHourRule(Dialogs& dialogs, QWidget* window, QLineEdit& hour, QRadioButton& am,
                 QRadioButton& pm, const char* emptyMessage);

// The zone sign rule on a zone box: East makes the zone negative, West positive.
void RunZoneSignRule(QLineEdit& zone, bool east);

// The option buttons of an input window's fields, by the section's control names
// (optAM/optPM, optEast/optWest, optSouth/optNorth; optDiurnalAM, ... in the diurnal window).
struct FieldOptionButtons {
    QRadioButton* am;
    QRadioButton* pm;
    QRadioButton* east;
    QRadioButton* west;
    QRadioButton* south;
    QRadioButton* north;
};
FieldOptionButtons OptionButtonsOf(const QWidget& window, InputSection section);

// The name of a field's text box in its window ("txtBirthHour", "txtDiurnalHour"); empty for the
// diurnal window's missing Name. The core names fields by section and field; this is where they
// meet the controls.
std::string_view ControlName(InputSection section, InputField field);
inline std::string_view ControlName(FieldRef ref) { return ControlName(ref.section, ref.field); }

// The window's fields as plain data, and back: the text boxes found by their control names, the
// option buttons as above. A field the section does not have (the diurnal Name) is left alone.
InputFields ReadInputFields(const QWidget& window, InputSection section);
void WriteInputFields(QWidget& window, InputSection section, const InputFields& fields);

}  // namespace orrerion::gui
