#pragma once
// The steps every window of the program starts with, written once.
#include <QString>
#include <Qt>
#include <functional>
#include <string>
#include <initializer_list>
#include <utility>

#include "core/base/aspect_families.h"

class QDateEdit;
class QLabel;
class QObject;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace orrerion::gui {

// A cell of a listing's table that can be selected but not edited.
QTableWidgetItem* ListingCell(const std::string& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A listing's table: whole rows selected one at a time, nothing edited, no row numbers.
void SetUpListingTable(QTableWidget& table);

// The span a search window looks through: its first date (0h on the diurnal place's clock, from
// the year 1000 to 3000) and its length in days, 1 to `maxDays`.
void SetUpSpanControls(QDateEdit& from, QSpinBox& days, int maxDays);

// A window's name (its objectName), its caption when one is given, and deletion on close: the
// shell loads a window again when it is next needed.
void SetUpWindow(QWidget& window, const char* name, const QString& title = {});

// Gives each control its name.
void NameControls(std::initializer_list<std::pair<QObject*, const char*>> controls);

// A push button named `name` that runs `clicked` in `window`'s context when pressed.
QPushButton* CommandButton(QWidget& window, const QString& caption, const char* name,
                           const std::function<void()>& clicked);

// The heading label (lblChart) at the top of a window that shows the current calculation: bold,
// wrapped, selectable, so the chart it names can be read and copied.
void SetUpHeading(QLabel& heading);

// Tab reaches a set of radio buttons at its checked one only (the arrow keys move among them); the
// others take the focus by a click. Follows every change of the checked button.
void TabToCheckedRadio(std::initializer_list<QRadioButton*> buttons);

// The keys of a picture window: Ctrl+P prints, Ctrl+S exports, Escape closes.
void AddPictureWindowKeys(QWidget& window, const std::function<void()>& print,
                          const std::function<void()>& save);

// The name of a family's tick box in the timeline and the preferences: "chkFamily" and the
// family's code in capitals ("chkFamilyTN").
QString FamilyBoxName(AspectFamily family);

}  // namespace orrerion::gui
