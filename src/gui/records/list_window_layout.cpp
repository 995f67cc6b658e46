#include "records/list_window_layout.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace orrerion::gui {
namespace {

// The title bar and borders a window manager adds around a window not shown yet.
constexpr int FrameAllowance = 36;

}  // namespace

void KeepAboveScreenBottom(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const int lowestTop = free.bottom() + 1 - window.height() - FrameAllowance;
    if (window.y() > lowestTop) window.move(window.x(), std::max(free.top(), lowestTop));
}

}  // namespace orrerion::gui
