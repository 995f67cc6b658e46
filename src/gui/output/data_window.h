#pragma once
// The data window (OutputD1): the data summary, report listings and help texts in a fixed-pitch
// font, with font, save, clear and print commands.
#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QPlainTextEdit;

namespace orrerion::gui {

class Shell;

class DataWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DataWindow(Shell& shell, QWidget* parent = nullptr);

    // ShowDataWindow: one empty line added to both buffers when the report buffer holds more than
    // its first line, then DataLines put into the text and the window shown.
    void ShowData();

    // The menu commands.
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFontsIncrease_Click();
    void mnuFontsDecrease_Click();
    void mnuFontsBold_Click();
    void mnuFontsItalic_Click();
    void mnuClearBuffer_Click();
    void mnuPrint_Click();
    void mnuPrintData_Click();
    void mnuHelp_Click();

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    // The stored data font on Text1 and the Bold and Italic ticks.
    void ApplyDataFont();
    // After every font command: the text shown again and Increase/Decrease enabled by the size.
    void RefreshFont();
    void EnableFontSizeItems();
    // Records the window's place and size (in twips) unless the window is placing itself.
    void RecordLayout();
    // Writes the report buffer as a data file; a failure is reported.
    void WriteDataFileTo(const QString& path);
    // Writes PRNTFILE.XXX and opens a fresh print window on it.
    void SendToPrintWindow(const std::vector<std::string>& lines);
    void GiveMainWindowFocus();

    Shell& shell_;
    QPlainTextEdit* Text1_;
    QAction* mnuFontsIncrease_ = nullptr;
    QAction* mnuFontsDecrease_ = nullptr;
    QAction* mnuFontsBold_ = nullptr;
    QAction* mnuFontsItalic_ = nullptr;
    bool Positioning_ = false;
};

}  // namespace orrerion::gui
