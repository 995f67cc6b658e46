#include "gui/app/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <iterator>

#include "core/aspects/summary.h"
#include "core/base/output_lines.h"
#include "core/records/options_file.h"
#include "gui/app/about_window.h"
#include "gui/app/locale_order.h"
#include "gui/app/options_window.h"
#include "gui/app/preferences_window.h"
#include "gui/app/session.h"
#include "gui/app/shell.h"
#include "gui/ui/sunken_frame.h"

namespace orrerion::gui {
namespace {

struct HelpItem {
    const char* caption;
    const char* name;
    const char* file;
};

// The Help menu's items in their groups; an empty entry is a separator.
const HelpItem HelpItems[] = {
    {"&Orrerion Window", "mnuMainMenuHelp", "Orrerion.HLP"},
    {nullptr, "mnuSplit0", nullptr},
    {"Natal &Input Data Window", "mnuHelpInputD", "INPUTD.HLP"},
    {"&Diurnal Input Data Window", "mnuHelpInputD1", "INPUTD1.HLP"},
    {"&Names Window", "mnuHelpNames", "NAMES.HLP"},
    {"Cities &Window", "mnuHelpCities", "GEOGRAPH.HLP"},
    {"&Options Window", "mnuHelpOptions", "OPTIONS.HLP"},
    {"Da&ta Window", "mnuHelpOutputD1", "OUTPUTD1.HLP"},
    {"&Edit A Name File Window", "mnuHelpNameedit", "NAMEEDIT.HLP"},
    {"Edit A Cit&y File Window", "mnuHelpLongLat", "LONGLAT.HLP"},
    {"&Select A File Window", "mnuHelpSelect", "SELECT.HLP"},
    {"&File To Print  Window", "mnuHelpPrntfile", "PRNTFILE.HLP"},
    {nullptr, "mnuSplit3", nullptr},
    {"W&heel Window", "mnuHelpWheel", "WHEEL.HLP"},
    {"Ti&meline Window", "mnuHelpTimeline", "TIMELINE.HLP"},
    {"E&xport Window", "mnuHelpExport", "EXPORT.HLP"},
    {"&Returns Window", "mnuHelpReturns", "RETURNS.HLP"},
    {"Events Window", "mnuHelpEvents", "EVENTS.HLP"},
    {"&Preferences Window", "mnuHelpPreferences", "PREFS.HLP"},
    {"&Atlas", "mnuHelpAtlas", "ATLAS.HLP"},
    {nullptr, "mnuSplit1", nullptr},
    {"Hints", "mnuHelpHints", "HINTS.HLP"},
    {"Up&grades", "mnuHelpUpgrades", "UPGRADES.HLP"},
    {"Shortcut &keys", "mnuShortcutKeys", "SHORTCUT.HLP"},
    {"Philosophy", "mnuPhilosophyHelp", "PHILO.HLP"},
    {"Re&vision history", "mnuHelpRevisions", "REVISION.HLP"},
    {nullptr, "mnuSplit2", nullptr},
};

// The help that opens in the Help window: the newer windows' (by their objectName, for F1) and the
// atlas program's.
const struct {
    const char* window;  // nothing for the atlas, a program of its own
    const char* file;
} WindowHelp[] = {
    {"Wheel", "WHEEL.HLP"}, {"Timeline", "TIMELINE.HLP"}, {"Export", "EXPORT.HLP"}, {"Preferences", "PREFS.HLP"},
    {"Returns", "RETURNS.HLP"}, {"Events", "EVENTS.HLP"}, {nullptr, "ATLAS.HLP"},
};

// A house system's item in the Houses menu: its name with the access key marked ("P&orphyry")
// and the control name "mnuHouse" + name ("mnuHousePorphyry").
QString HouseMenuCaption(const HouseSystemRow& row) {
    QString caption = QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
    const qsizetype key = caption.indexOf(QChar::fromLatin1(row.menuKey));
    caption.insert(key < 0 ? 0 : key, '&');
    return caption;
}
QString HouseMenuControl(const HouseSystemRow& row) {
    return "mnuHouse" + QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
}

void ShowInFront(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace

MainWindow::MainWindow(Shell& shell, QWidget* parent) : QMainWindow(parent), shell_(shell) {
    setObjectName("Orrerion");
    QFont barFont("Courier New", 9);
    barFont.setBold(true);
    barFont.setStyleHint(QFont::TypeWriter);
    setFont(barFont);
    BuildMenus();
    QStatusBar* status = statusBar();
    status->setObjectName("sbrStatus");
    status->setSizeGripEnabled(false);
    lblNote_ = new QLabel;
    lblNote_->setObjectName("lblNote");
    lblNote_->setWordWrap(true);
    QFont plain = QApplication::font();  // a sentence, not a menu: not the bar's bold type
    plain.setResolveMask(QFont::AllPropertiesResolved);
    lblNote_->setFont(plain);
    status->addWidget(lblNote_, 1);
    status->hide();
    // A thin bar at the top of the screen: top 0, left 885, height 675, width 8625 twips.
    move(Pixels(885), 0);
    resize(Pixels(8625), menuBar()->sizeHint().height());
    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &MainWindow::RefreshCaption);
    Timer1.start();
    RefreshCaption();
}

void MainWindow::BuildMenus() {
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);

    QMenu* file = bar->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction* exit = file->addAction("E&xit");
    exit->setObjectName("mnuFileExit");
    exit->setShortcut(Qt::Key_F12);
    connect(exit, &QAction::triggered, this, &MainWindow::mnuFileExit_Click);

    mnuInputData_ = bar->addAction("&Input");
    mnuInputData_->setObjectName("mnuInputData");
    mnuInputData_->setVisible(false);
    connect(mnuInputData_, &QAction::triggered, this, [this] { shell_.InputMenu(); });

    QMenu* houses = bar->addMenu("Hou&ses");
    houses->setObjectName("mnuHouses");
    auto* group = new QActionGroup(this);
    group->setExclusive(true);
    for (const HouseSystemRow& row : HouseMenuOrder) {
        QAction* action = houses->addAction(HouseMenuCaption(row));
        action->setObjectName(HouseMenuControl(row));
        action->setData(static_cast<int>(row.system));
        action->setCheckable(true);
        group->addAction(action);
        houseItems_ << action;
        connect(action, &QAction::triggered, this, [this, action] { HouseChosen(action); });
    }
    houseItems_.front()->setChecked(true);

    mnuData_ = bar->addMenu("&Data");
    mnuData_->setObjectName("mnuData");
    mnuData_->menuAction()->setVisible(false);
    mnuData_->setToolTipsVisible(true);
    mnuDataSummary_ = mnuData_->addAction("&Summary");
    mnuDataSummary_->setObjectName("mnuDataSummary");
    mnuDataSummary_->setShortcut(Qt::Key_F2);
    // The shortcut must work while the menu itself is still hidden behind the first chart.
    mnuDataSummary_->setShortcutContext(Qt::ApplicationShortcut);
    addAction(mnuDataSummary_);
    connect(mnuDataSummary_, &QAction::triggered, this, &MainWindow::mnuDataSummary_Click);
    QAction* mnuWheel = mnuData_->addAction("&Wheel");
    mnuWheel->setObjectName("mnuWheel");
    mnuWheel->setShortcut(Qt::Key_F3);
    mnuWheel->setShortcutContext(Qt::ApplicationShortcut);
    addAction(mnuWheel);
    connect(mnuWheel, &QAction::triggered, this, [this] { shell_.ShowWheel(); });
    QAction* mnuExport = mnuData_->addAction("&Export...");
    mnuExport->setObjectName("mnuExport");
    connect(mnuExport, &QAction::triggered, this, [this] { shell_.ShowExport(); });
    QAction* mnuTimeline = mnuData_->addAction("&Timeline");
    mnuTimeline->setObjectName("mnuTimeline");
    mnuTimeline->setShortcut(Qt::Key_F4);
    mnuTimeline->setShortcutContext(Qt::ApplicationShortcut);
    addAction(mnuTimeline);
    connect(mnuTimeline, &QAction::triggered, this, [this] { shell_.ShowTimeline(); });
    QAction* mnuReturns = mnuData_->addAction("&Returns...");
    mnuReturns->setObjectName("mnuReturns");
    mnuReturns->setShortcut(Qt::Key_F6);
    mnuReturns->setShortcutContext(Qt::ApplicationShortcut);
    mnuReturns->setToolTip("Solar, lunar and planetary returns of the chart, each shown as a return chart in the wheel");
    addAction(mnuReturns);
    connect(mnuReturns, &QAction::triggered, this, [this] {
        if (shell_.session.chartComputed) shell_.ShowReturns();
    });
    QAction* mnuEvents = mnuData_->addAction("E&vents...");
    mnuEvents->setObjectName("mnuEvents");
    mnuEvents->setShortcut(Qt::Key_F7);
    mnuEvents->setShortcutContext(Qt::ApplicationShortcut);
    mnuEvents->setToolTip("The sky's stations, ingresses, lunations, eclipses and void Moon over a span, "
                          "printed and exported");
    addAction(mnuEvents);
    connect(mnuEvents, &QAction::triggered, this, [this] { shell_.ShowEvents(); });

    QMenu* options = bar->addMenu("&Options");
    options->setObjectName("mnuOptionsMenu");
    QAction* optionsFile = options->addAction("&Options File");
    optionsFile->setObjectName("mnuOptions");
    connect(optionsFile, &QAction::triggered, this, &MainWindow::mnuOptions_Click);
    QAction* preferences = options->addAction("&Preferences");
    preferences->setObjectName("mnuPreferences");
    connect(preferences, &QAction::triggered, this, &MainWindow::mnuPreferences_Click);

    QMenu* help = bar->addMenu("&Help");
    help->setObjectName("mnuHelp");
    for (const HelpItem& item : HelpItems) {
        QAction* action = item.caption ? help->addAction(item.caption) : help->addSeparator();
        action->setObjectName(item.name);
        if (!item.file) continue;
        const QString fileName = item.file;
        // The newer windows' help opens in the Help window; the others' in the data window.
        const bool ownWindow = std::find_if(std::begin(WindowHelp), std::end(WindowHelp), [&](const auto& w) {
                                   return fileName == w.file;
                               }) != std::end(WindowHelp);
        connect(action, &QAction::triggered, this, [this, fileName, ownWindow] {
            if (ownWindow) {
                shell_.ShowHelpWindow(fileName);
            } else {
                shell_.ShowHelpText(fileName);
            }
        });
    }
    // F1: the help of the window in front when it has its own (shown beside the data window's
    // listing, which stays), else the main window's help.
    auto* f1 = new QAction(this);
    f1->setObjectName("mnuHelpForWindow");
    f1->setShortcut(Qt::Key_F1);
    f1->setShortcutContext(Qt::ApplicationShortcut);
    connect(f1, &QAction::triggered, this, [this] {
        const QWidget* active = QApplication::activeWindow();
        for (const auto& w : WindowHelp) {
            if (active && w.window && active->objectName() == w.window) {
                shell_.ShowHelpWindow(w.file);
                return;
            }
        }
        if (QAction* main = findChild<QAction*>("mnuMainMenuHelp")) main->trigger();
    });
    addAction(f1);
    findChild<QAction*>("mnuMainMenuHelp")->setShortcut(Qt::Key_F1);
    findChild<QAction*>("mnuMainMenuHelp")->setShortcutContext(Qt::WidgetShortcut);
    QAction* about = help->addAction("Abo&ut");
    about->setObjectName("mnuHelpAbout");
    connect(about, &QAction::triggered, this, [this] {
        auto* window = new AboutWindow(this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
    });
    exit->setShortcutContext(Qt::ApplicationShortcut);
}

HouseSystem MainWindow::CheckedHouseSystem() const {
    for (const QAction* item : houseItems_) {
        if (item->isChecked()) return static_cast<HouseSystem>(item->data().toInt());
    }
    return HouseSystem::Placidus;
}

void MainWindow::SetHouseMarkFromOption(float option27) {
    const HouseSystem system = HouseSystemFromOption(option27);
    for (QAction* item : houseItems_) {
        if (static_cast<HouseSystem>(item->data().toInt()) == system) item->setChecked(true);
    }
}

void MainWindow::ShowChartMenus() {
    mnuInputData_->setVisible(true);
    mnuData_->menuAction()->setVisible(true);
}

void MainWindow::SetSummaryEnabled(bool enabled) { mnuDataSummary_->setEnabled(enabled); }

void MainWindow::ShowNote(const QString& note) {
    lblNote_->setText(note);
    statusBar()->setVisible(!note.isEmpty());
    FitHeight();
}

void MainWindow::FitHeight() {
    int height = menuBar()->sizeHint().height();
    if (statusBar()->isVisibleTo(this)) {
        // The status line as high as its wrapped text, with a little room above and below. Fixed
        // heights, because a wrapped label on its own asks for the height of a narrow column.
        constexpr int Room = 8;
        const int text = lblNote_->heightForWidth(width() - 2 * Room);
        lblNote_->setFixedHeight(text);
        statusBar()->setFixedHeight(text + Room);
        height += statusBar()->height();
    }
    layout()->activate();
    resize(width(), height);
}

int MainWindow::ScreenWidthPixels() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int MainWindow::TwipsPerPixel() const {
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? static_cast<int>(1440.0 / dpi + 0.5) : 15;
}

void MainWindow::RefreshCaption() {
    Session& session = shell_.session;
    setWindowTitle(CaptionWithClock(session.WindowTitle, session.clock.now(), session.clock.locale));
}

void MainWindow::HouseChosen(QAction* item) {
    item->setChecked(true);
    shell_.InputMenu();
    shell_.unloadTimeZone();
    shell_.RunCalculation();
}

void MainWindow::mnuDataSummary_Click() {
    // Summary of the current charts; only after a chart exists, as the menu is hidden before.
    if (!shell_.session.chartComputed || !mnuDataSummary_->isEnabled()) return;
    Calculation& calc = shell_.session.calc;
    ResetDataLines(calc.out);
    WriteDataSummary(calc.chart, calc.out);
    shell_.ShowDataWindow();
}

bool MainWindow::OptionsFileFound() {
    if (OptionsFileReadable(shell_.session.calc.ProgramDir / OptionsFileName)) return true;
    shell_.dialogs().MessageBox(this, "File Not Found", "Warning!", MessageIcon::Information);
    return false;
}

void MainWindow::mnuOptions_Click() {
    if (OptionsFileFound()) ShowInFront(shell_.options());
}

void MainWindow::mnuPreferences_Click() {
    if (OptionsFileFound()) ShowInFront(shell_.preferences());
}

void MainWindow::mnuFileExit_Click() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Exit ends the program and closes every window.
    exiting_ = true;
    Timer1.stop();
    event->accept();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this) window->close();
    }
    QApplication::quit();
}

}  // namespace orrerion::gui
