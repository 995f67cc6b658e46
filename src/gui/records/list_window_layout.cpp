#include "gui/records/list_window_layout.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <memory>

namespace orrerion::gui {
namespace {

// The title bar and borders a window manager adds around a window not shown yet.
constexpr int FrameAllowance = 36;

}  // namespace

void KeepAboveScreenBottom(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect free = screen->availableGeometry();
    const int lowestTop = free.bottom() + 1 - window.height() - FrameAllowance;
    if (window.y() > lowestTop) window.move(window.x(), std::max(free.top(), lowestTop));
}

void SetUpRecordList(QWidget& window, QListWidget& list, const char* name) {
    list.setObjectName(name);
    list.setUniformItemSizes(true);
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.installEventFilter(&window);
    // Tall enough for the locked entry of the Names list to show below the twelve entries above
    // it: the height of one row is measured on a sample entry.
    list.addItem("Xg");
    const int rowHeight = std::max(list.sizeHintForRow(0), window.fontMetrics().height());
    list.clear();
    list.setMinimumSize(240, rowHeight * ListVisibleRows + 2 * list.frameWidth());
}

void SetUpFileLabel(QLabel& label, const char* name) {
    label.setObjectName(name);
    label.setAlignment(Qt::AlignCenter);
    label.setMargin(4);
    QFont bold = label.font();
    bold.setBold(true);
    label.setFont(bold);
}

void LayOutListWindow(QWidget& window, QListWidget& list, std::initializer_list<QWidget*> top,
                      std::initializer_list<QWidget*> bottom) {
    auto* side = new QVBoxLayout;
    side->setSpacing(8);
    for (QWidget* widget : top) side->addWidget(widget);
    side->addStretch();
    for (QWidget* widget : bottom) side->addWidget(widget);
    auto* layout = new QHBoxLayout(&window);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->setSpacing(14);
    layout->addWidget(&list, 1);
    layout->addLayout(side);
    window.resize(440, window.sizeHint().height());
    window.move(ListWindowsPosition);
    KeepAboveScreenBottom(window);
}

bool EnterPressedOnEntry(QListWidget& list, const QObject* watched, const QEvent* event) {
    if (watched != &list || event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || !list.currentItem()) return false;
    list.currentItem()->setSelected(true);
    return true;
}

void LoadOnSelection(QListWidget& list, QObject& context, const std::function<void()>& load) {
    // The row the last change of the current entry loaded; the click that made the change (its
    // release comes after the press that moved the entry) then has nothing more to load.
    auto loadedByChange = std::make_shared<int>(-1);
    QObject::connect(&list, &QListWidget::currentRowChanged, &context, [loadedByChange, load](int row) {
        *loadedByChange = row;
        if (row >= 0) load();
    });
    QObject::connect(&list, &QListWidget::itemClicked, &context,
                     [&list, loadedByChange, load](QListWidgetItem* item) {
                         const bool alreadyLoaded = list.row(item) == *loadedByChange;
                         *loadedByChange = -1;
                         if (!alreadyLoaded) load();
                     });
}

}  // namespace orrerion::gui
