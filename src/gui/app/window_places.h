#pragma once
// Every window opens where it fits the screen it is on, and where it stood when it was last
// closed: its place (left, top, width, height) is kept in SETTINGS.TXT as "window_<name>". Places
// are noted as windows close and written through the core's settings file once, when the program
// ends (with any other setting saved meanwhile they go too).
#include <QObject>
#include <filesystem>

#include "core/records/settings_file.h"

class QWidget;

namespace orrerion::gui {

class WindowPlaces final : public QObject {
public:
    WindowPlaces(SettingsFile& settings, std::filesystem::path settingsPath)
        : settings_(settings), settingsPath_(std::move(settingsPath)) {}
    ~WindowPlaces() override;
    WindowPlaces(const WindowPlaces&) = delete;
    WindowPlaces& operator=(const WindowPlaces&) = delete;

    // Places `window` when it is first shown (unless the program placed it already) and keeps its
    // place when it closes.
    void Watch(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SettingsFile& settings_;
    std::filesystem::path settingsPath_;
    bool changed_ = false;
};

// The window's name in the settings: its objectName in lower case ("wheel", "frmtimeline").
std::string PlaceName(const QWidget& window);

// Moves and sizes `window` inside `available` (the screen's area without panels): to `saved` when
// it lies wholly on that area, else at its own size shrunk to fit and moved onto it.
void FitWindow(QWidget& window, const QRect& available, const WindowPlace* saved);

}  // namespace orrerion::gui
