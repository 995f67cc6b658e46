#pragma once
// What the window's painters share: the colour table as Qt colours and pens, and text drawn into
// a layout's box, shrunk to fit it, with the symbol font where it has the symbol and a short text
// where no installed font does (a symbol never shows as an empty box).
#include <QColor>
#include <QFont>
#include <QPen>
#include <QRectF>
#include <QString>
#include <string_view>

#include "core/pictures/colours.h"

class QPainter;

namespace orrerion::gui {

QColor ToQColor(ColourRole role);
// A pen of the role's colour and its line style (or `style`), `width` in the painter's units.
QPen RolePen(ColourRole role, double width);
QPen RolePen(ColourRole role, double width, LineStyle style);

// The symbol font (Symbola, else the best installed face for the symbols) and the text font.
QFont SymbolFont();
QFont TextFont();

// True when `font` can draw every character of `text`.
bool FontHasText(const QFont& font, const QString& text);

// Draws `text` centred in `box` (or starting at its left edge), `size` units high, shrunk until it
// fits the box's width. With `fallback`, text the font cannot draw is replaced by it.
enum class BoxAlign { Centre, Left, Right };
void DrawTextInBox(QPainter& painter, const QRectF& box, std::string_view text, double size, const QFont& font,
                   ColourRole colour, BoxAlign align = BoxAlign::Centre, std::string_view fallback = {});

}  // namespace orrerion::gui
