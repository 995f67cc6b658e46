#include "gui/ui/file_editor_layout.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/ui/sunken_frame.h"

namespace orrerion::gui {

QHBoxLayout* LayOutFileEditor(QWidget& window, QPlainTextEdit& text, const std::function<void()>& save,
                              const std::function<void()>& quit) {
    text.setObjectName("txtContent");
    text.setFont(FixedPitchFont(10));
    text.setLineWrapMode(QPlainTextEdit::NoWrap);

    auto* saveButton = new QPushButton("Save");
    saveButton->setObjectName("btnSave");
    saveButton->setShortcut(QKeySequence::Save);
    auto* quitButton = new QPushButton("Quit");
    quitButton->setObjectName("btnQuit");
    QObject::connect(saveButton, &QPushButton::clicked, &window, save);
    QObject::connect(quitButton, &QPushButton::clicked, &window, quit);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), &window), &QShortcut::activated, &window, quit);

    auto* row = new QHBoxLayout;
    row->addWidget(saveButton);
    row->addWidget(quitButton);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addWidget(&text);
    layout->addLayout(row);
    return row;
}

}  // namespace orrerion::gui
