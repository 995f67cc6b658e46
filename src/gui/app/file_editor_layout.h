#pragma once
// The frame of the windows that edit a whole data file as text: the options editor and the names
// and cities editors.
class QHBoxLayout;
class QPlainTextEdit;
class QPushButton;
class QShortcut;
class QWidget;

namespace orrerion::gui {

// What LayOutFileEditor made, for the window to connect and to add to.
struct FileEditorButtons {
    QPushButton* save;   // btnSave, also pressed by the Save key (Ctrl+S)
    QPushButton* quit;   // btnQuit
    QShortcut* escape;   // Escape, which the window connects to its Quit handler
    QHBoxLayout* row;    // the row of buttons: Save and Quit first, the window adds the rest
};

// Sets up `text` as the file's text box (txtContent, fixed pitch at 10 points, lines not wrapped)
// and lays out `window`: the text box over a row of buttons.
FileEditorButtons LayOutFileEditor(QWidget& window, QPlainTextEdit& text);

}  // namespace orrerion::gui
