#include "gui/ui/window_setup.h"

#include <QAbstractItemView>
#include <QDate>
#include <QDateEdit>
#include <QHeaderView>
#include <QKeySequence>
#include <QSpinBox>
#include <QTableWidget>
#include <QRadioButton>
#include <algorithm>
#include <vector>
#include <QLabel>
#include <QObject>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidgetItem>
#include <QWidget>

namespace orrerion::gui {

QTableWidgetItem* ListingCell(const std::string& text, Qt::Alignment alignment) {
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

void SetUpListingTable(QTableWidget& table) {
    table.setSelectionBehavior(QAbstractItemView::SelectRows);
    table.setSelectionMode(QAbstractItemView::SingleSelection);
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->setVisible(false);
}

void SetUpSpanControls(QDateEdit& from, QSpinBox& days, int maxDays) {
    from.setDisplayFormat("dd MMM yyyy");
    from.setCalendarPopup(true);
    from.setDateRange(QDate(1000, 1, 1), QDate(3000, 12, 31));
    from.setToolTip("The span starts at 0h of this date on the diurnal place's clock (at first the diurnal date)");
    days.setRange(1, maxDays);
    days.setSuffix(" days");
}

void SetUpWindow(QWidget& window, const char* name, const QString& title) {
    window.setObjectName(name);
    window.setAttribute(Qt::WA_DeleteOnClose);
    if (!title.isEmpty()) window.setWindowTitle(title);
}

void NameControls(std::initializer_list<std::pair<QObject*, const char*>> controls) {
    for (const auto& [control, name] : controls) control->setObjectName(name);
}

QPushButton* CommandButton(QWidget& window, const QString& caption, const char* name,
                           const std::function<void()>& clicked) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    QObject::connect(button, &QPushButton::clicked, &window, clicked);
    return button;
}

void SetUpHeading(QLabel& heading) {
    heading.setObjectName("lblChart");
    heading.setWordWrap(true);
    heading.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font = heading.font();
    font.setBold(true);
    heading.setFont(font);
}

void TabToCheckedRadio(std::initializer_list<QRadioButton*> buttons) {
    const std::vector<QRadioButton*> set(buttons);
    auto update = [set] {
        const bool any = std::any_of(set.begin(), set.end(), [](QRadioButton* b) { return b->isChecked(); });
        for (QRadioButton* b : set) {
            b->setFocusPolicy(b->isChecked() || (!any && b == set.front()) ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    for (QRadioButton* b : set) QObject::connect(b, &QRadioButton::toggled, b, update);
    update();
}

void AddPictureWindowKeys(QWidget& window, const std::function<void()>& print,
                          const std::function<void()>& save) {
    QObject::connect(new QShortcut(QKeySequence::Print, &window), &QShortcut::activated, &window, print);
    QObject::connect(new QShortcut(QKeySequence::Save, &window), &QShortcut::activated, &window, save);
    QObject::connect(new QShortcut(Qt::Key_Escape, &window), &QShortcut::activated, &window, &QWidget::close);
}

QString FamilyBoxName(AspectFamily family) {
    const std::string_view code = FamilyCode(family);
    return "chkFamily" + QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())).toUpper();
}

}  // namespace orrerion::gui
