#pragma once
// The main window (Orrerion): a thin bar at the top of the screen with the menus and the caption
// clock, and under them a status line while a calculation has a note.
#include <QMainWindow>
#include <QTimer>

#include "core/run/calculation.h"

class QAction;
class QLabel;
class QMenu;

namespace orrerion::gui {

class Shell;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Shell& shell, QWidget* parent = nullptr);

    // The house system checked in the Houses menu.
    HouseSystem CheckedHouseSystem() const;
    // Start-up mark from option 27 (HouseSystemFromOption).
    void SetHouseMarkFromOption(float option27);
    // The Input and Data menus appear after the first chart and stay.
    void ShowChartMenus();
    void SetSummaryEnabled(bool enabled);
    // The status line under the menus (lblNote in sbrStatus) shows `note`; an empty note hides it
    // and the bar is as thin as before.
    void ShowNote(const QString& note);

    int ScreenWidthPixels() const;
    int TwipsPerPixel() const;

    // Timer1_Timer: the caption clock.
    void RefreshCaption();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void HouseChosen(QAction* item);
    void mnuDataSummary_Click();
    // Both Options items need a readable OPTIONS.OPT; "File Not Found" otherwise.
    bool OptionsFileFound();
    void mnuOptions_Click();
    void mnuPreferences_Click();
    // The bar's height: the menus, and the status line when it shows.
    void FitHeight();
    void mnuFileExit_Click();

    Shell& shell_;
    QTimer Timer1;
    QMenu* mnuData_ = nullptr;
    QAction* mnuInputData_ = nullptr;
    QAction* mnuDataSummary_ = nullptr;
    QList<QAction*> houseItems_;
    QLabel* lblNote_ = nullptr;
    bool exiting_ = false;
};

}  // namespace orrerion::gui
