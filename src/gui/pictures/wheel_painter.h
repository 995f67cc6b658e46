#pragma once
// Paints a wheel layout with QPainter into a square of the target: the window, printing, PNG and
// PDF export all use it.
#include <QRectF>

#include "core/pictures/wheel_layout.h"

class QPainter;

namespace orrerion::gui {

void PaintWheel(QPainter& painter, const WheelLayout& layout, const QRectF& target);

}  // namespace orrerion::gui
