#pragma once
// The Help window: a help file of the data folder, read-only in a fixed-pitch font, in a window of
// its own so that the data window's listing stays as it is. One at a time; a second help file
// replaces the text shown.
#include <QWidget>

class QPlainTextEdit;

namespace orrerion::gui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows `lines` under the caption "Help: <title>".
    void ShowText(const QString& title, const QStringList& lines);
    QString text() const;

private:
    QPlainTextEdit* txtHelp_;
};

}  // namespace orrerion::gui
