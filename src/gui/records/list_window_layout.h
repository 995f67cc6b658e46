#pragma once
// Where the list windows (Names, Cities, the time zone picker) and the file editors appear: below
// the natal and diurnal input windows, which sit at the top left under the main window's bar.
#include <QPoint>

class QWidget;

namespace orrerion::gui {

// Top-left corner of the Names and Cities windows (they replace each other in one place).
inline constexpr QPoint ListWindowsPosition{59, 496};
// Top edge of the time zone picker; its left edge is set by the input window that opens it.
inline constexpr int TimeZoneWindowTop = 496;
// Rows the Names and Cities lists show at least: the locked entry is the 13th from the top.
inline constexpr int ListVisibleRows = 13;
// Top-left corner of the names and cities editors.
inline constexpr QPoint EditorWindowsPosition{140, 110};

// Moves a window that is not shown yet up as far as needed for its bottom edge, title bar
// included, to stay on its screen's free area.
void KeepAboveScreenBottom(QWidget& window);

}  // namespace orrerion::gui
