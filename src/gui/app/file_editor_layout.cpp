#include "gui/app/file_editor_layout.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/app/sunken_frame.h"

namespace orrerion::gui {

FileEditorButtons LayOutFileEditor(QWidget& window, QPlainTextEdit& text) {
    text.setObjectName("txtContent");
    text.setFont(FixedPitchFont(10));
    text.setLineWrapMode(QPlainTextEdit::NoWrap);

    FileEditorButtons made{};
    made.save = new QPushButton("Save");
    made.save->setObjectName("btnSave");
    made.save->setShortcut(QKeySequence::Save);
    made.quit = new QPushButton("Quit");
    made.quit->setObjectName("btnQuit");
    made.escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);

    made.row = new QHBoxLayout;
    made.row->addWidget(made.save);
    made.row->addWidget(made.quit);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(&text);
    layout->addLayout(made.row);
    return made;
}

}  // namespace orrerion::gui
