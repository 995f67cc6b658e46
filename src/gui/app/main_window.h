#pragma once
// The main window (Orrerion): a thin bar at the top of the screen with the menus and the caption
// clock.
#include <QMainWindow>
#include <QTimer>

#include "core/run/calculation.h"

class QAction;
class QMenu;

namespace orrerion::gui {

class Shell;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Shell& shell, QWidget* parent = nullptr);

    // The Houses menu's check marks as the chart driver reads them.
    HouseMenuMarks HouseMarks() const;
    // Start-up mark from option 27: 2 Regiomontanus, 3 Koch, 5 Porphyry, 8 Meridian, else Placidus.
    void SetHouseMarkFromOption(float option27);
    // The Input and Data menus appear after the first chart and stay.
    void ShowChartMenus();
    void SetSummaryEnabled(bool enabled);

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
    void mnuOptions_Click();
    void mnuFileExit_Click();

    Shell& shell_;
    QTimer Timer1;
    QMenu* mnuData_ = nullptr;
    QAction* mnuInputData_ = nullptr;
    QAction* mnuDataSummary_ = nullptr;
    QList<QAction*> houseItems_;
    bool exiting_ = false;
};

}  // namespace orrerion::gui
