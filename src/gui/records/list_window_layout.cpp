#include "gui/records/list_window_layout.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "gui/ui/sunken_frame.h"

namespace orrerion::gui {
namespace {

// The title bar and borders a window manager adds around a window not shown yet.
constexpr int FrameAllowance = 36;

// Loads the entry a key press moved the list to. The key is handed to the list here, so that the
// move can be told from other changes of the current entry (the list makes its first entry
// current when it gets the focus, which loads nothing).
class KeyboardSelectionLoader : public QObject {
public:
    KeyboardSelectionLoader(QListWidget& list, std::function<void()> load)
        : QObject(&list), list_(list), load_(std::move(load)) {
        list.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &list_ || event->type() != QEvent::KeyPress || forwarding_) return false;
        const int before = list_.currentRow();
        forwarding_ = true;
        QCoreApplication::sendEvent(&list_, event);  // the other filters, the list, its parents
        forwarding_ = false;
        event->accept();
        if (list_.currentRow() != before && list_.currentRow() >= 0) load_();
        return true;
    }

private:
    QListWidget& list_;
    std::function<void()> load_;
    bool forwarding_ = false;
};

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

void LoadOnSelection(QListWidget& list, const std::function<void()>& load) {
    QObject::connect(&list, &QListWidget::itemClicked, &list, [load] { load(); });
    new KeyboardSelectionLoader(list, load);
}

void RecordListWindow::WatchList(QListWidget& list, QWidget& framed, std::function<void()> choose) {
    list_ = &list;
    framed_ = &framed;
    choose_ = std::move(choose);
    list.installEventFilter(this);
}

void RecordListWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (framed_) PaintSunkenFrame(*this, *framed_);
}

bool RecordListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (list_ && EnterPressedOnEntry(*list_, watched, event)) {
        choose_();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orrerion::gui
