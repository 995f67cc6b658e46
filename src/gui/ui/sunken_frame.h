#pragma once
// Drawing helpers shared by the windows: the program's twips, the two-tone sunken frame around
// controls and the fixed-pitch font of the text windows.
#include <QFont>

class QWidget;

namespace orrerion::gui {

// Twips to pixels at the program's fixed 15 twips per pixel.
inline constexpr int TwipsPerPixel = 15;
inline int Pixels(int twips) { return twips / TwipsPerPixel; }

// Draws on `form` the outline of `control` from one pixel up to 15 twips outside it: left and top
// sides dark grey, right and bottom sides white. Call from the form's paintEvent.
void PaintSunkenFrame(QWidget& form, const QWidget& control);

// Courier New (or the face the font system puts in its place) when that is fixed-pitch, otherwise
// the system's fixed-pitch font or any installed fixed-pitch family, at `points`.
QFont FixedPitchFont(double points);
// Whether any fixed-pitch font is available.
bool FixedPitchFontAvailable();

}  // namespace orrerion::gui
