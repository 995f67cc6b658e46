#pragma once
// Where the list windows (Names, Cities, the time zone picker) and the file editors appear: below
// the natal and diurnal input windows, which sit at the top left under the main window's bar.
#include <QPoint>

namespace orrerion::gui {

// Top-left corner of the Names and Cities windows (they replace each other in one place).
inline constexpr QPoint ListWindowsPosition{59, 496};
// Top edge of the time zone picker; its left edge is set by the input window that opens it.
inline constexpr int TimeZoneWindowTop = 496;
// Rows the Names list shows at least: the locked entry, 13th from the top, and one more.
inline constexpr int NamesVisibleRows = 14;
// Top-left corner of the names and cities editors.
inline constexpr QPoint EditorWindowsPosition{140, 110};

}  // namespace orrerion::gui
