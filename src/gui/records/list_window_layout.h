#pragma once
// Where the list windows (Names, Cities, the time zone picker) and the file editors appear: below
// the natal and diurnal input windows, which sit at the top left under the main window's bar.
// Also the parts the Names and Cities windows are built from alike.
#include <QList>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <initializer_list>

class QEvent;
class QLabel;
class QListWidget;
class QPaintEvent;

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

// The list of the Names or Cities window: uniform rows, no horizontal scroll bar, at least 240
// pixels wide and ListVisibleRows rows of the window's font high, its keys seen first by `window`.
void SetUpRecordList(QWidget& window, QListWidget& list, const char* name);
// The label above the buttons that names the list's file: bold and centred.
void SetUpFileLabel(QLabel& label, const char* name);
// Lays out the Names or Cities window: the list at the left; at the right `top` from the top down,
// then free room, then `bottom`. Sizes the window and puts it at ListWindowsPosition.
void LayOutListWindow(QWidget& window, QListWidget& list, std::initializer_list<QWidget*> top,
                      std::initializer_list<QWidget*> bottom);

// Whether `event`, seen by a list window's event filter, is Return or Enter pressed on `list` while
// it has a current entry. The entry is then selected, so the window can treat the key as a click.
bool EnterPressedOnEntry(QListWidget& list, const QObject* watched, const QEvent* event);

// Runs `load` whenever an entry of `list` is chosen: by a click, or by a key that moves the
// selection (the arrow keys, Page Up/Down, Home/End, type-ahead), as the lists' users expect.
// Each choice loads once; the first entry made current by the list getting the focus loads nothing.
void LoadOnSelection(QListWidget& list, const std::function<void()>& load);

// The Names, Cities and time zone windows alike: a sunken frame painted around one control, and
// Return or Enter on an entry of the list taken as choosing it.
class RecordListWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    // Called once the controls exist: the list whose Enter presses run `choose`, and the control
    // the frame goes around. The window sees the list's keys first.
    void WatchList(QListWidget& list, QWidget& framed, std::function<void()> choose);

    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* list_ = nullptr;
    QWidget* framed_ = nullptr;
    std::function<void()> choose_;
};

}  // namespace orrerion::gui
