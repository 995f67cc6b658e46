#include "gui/app/window_places.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orrerion::gui {
namespace {

constexpr const char* PlacedProperty = "orrerionPlaced";

}  // namespace

std::string PlaceName(const QWidget& window) { return window.objectName().toLower().toStdString(); }

void FitWindow(QWidget& window, const QRect& available, const WindowPlace* saved) {
    if (available.isEmpty()) return;
    if (saved) {
        // The place is the window's own area (geometry), as kept when it closed.
        const QRect place(saved->x, saved->y, saved->width, saved->height);
        if (available.contains(place)) {
            window.setGeometry(place);
            return;
        }
    }
    // The frame (title bar, borders) takes a little more than the window's own area.
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize room(std::max(1, available.width() - frame.width()), std::max(1, available.height() - frame.height()));
    const QSize size = window.size().boundedTo(room).expandedTo(window.minimumSize().boundedTo(room));
    window.resize(size);
    // move() places the frame's corner: the frame and the window inside the area.
    const QSize outer = size + frame;
    const QPoint at(std::clamp(window.x(), available.left(), std::max(available.left(), available.x() + available.width() - outer.width())),
                    std::clamp(window.y(), available.top(), std::max(available.top(), available.y() + available.height() - outer.height())));
    window.move(at);
}

WindowPlaces::~WindowPlaces() {
    // A place that cannot be kept is not worth a message at the end: the window opens where it fits.
    if (changed_) (void)SaveSettings(settingsPath_, settings_);
}

void WindowPlaces::Watch(QWidget& window) { window.installEventFilter(this); }

bool WindowPlaces::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isWindow()) return false;
    if (event->type() == QEvent::Show && !window->property(PlacedProperty).toBool()) {
        window->setProperty(PlacedProperty, true);
        // A window the program placed before showing it (a picker below its input window) keeps
        // that place.
        if (window->testAttribute(Qt::WA_Moved)) return false;
        const QScreen* screen = window->screen();
        if (screen) FitWindow(*window, screen->availableGeometry(), settings_.settings.PlaceOf(PlaceName(*window)));
    } else if (event->type() == QEvent::Close) {
        const QRect g = window->geometry();
        const WindowPlace place{PlaceName(*window), g.x(), g.y(), g.width(), g.height()};
        if (const WindowPlace* kept = settings_.settings.PlaceOf(place.window); !kept || !(*kept == place)) {
            settings_.settings.SetPlace(place);
            changed_ = true;
        }
    }
    return false;
}

}  // namespace orrerion::gui
