#pragma once
// The frame of the windows that edit a whole data file as text: the options editor and the names
// and cities editors.
#include <functional>

class QHBoxLayout;
class QPlainTextEdit;
class QWidget;

namespace orrerion::gui {

// Sets up `text` as the file's text box (txtContent, fixed pitch at 10 points, lines not wrapped)
// and lays out `window`: the text box over a row of buttons, btnSave (also the Save key, Ctrl+S)
// running `save` and btnQuit (also Escape) running `quit`. Returns the row, for the window to add
// the rest of its buttons.
QHBoxLayout* LayOutFileEditor(QWidget& window, QPlainTextEdit& text, const std::function<void()>& save,
                              const std::function<void()>& quit);

}  // namespace orrerion::gui
