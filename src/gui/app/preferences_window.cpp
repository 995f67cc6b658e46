#include "gui/app/preferences_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/app/locale_order.h"
#include "gui/pictures/wheel_presenter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {
namespace {

// Wide enough for "-13.75" and "999".
constexpr int NumberBoxChars = 7;
// Lists show this many characters; longer choices show whole when the list opens.
constexpr int ListChars = 18;

// A frame, tick box, option button or push button with its caption and name.
template <class W>
W* Named(const QString& caption, const char* name) {
    auto* widget = new W(caption);
    widget->setObjectName(name);
    return widget;
}

// The frames' names, in the program's style.
const char* FrameName(PreferenceGroup group) {
    switch (group) {
        case PreferenceGroup::Orbs: return "fraOrbs";
        case PreferenceGroup::Searched: return "fraSearched";
        case PreferenceGroup::Filters: return "fraFilters";
        case PreferenceGroup::StartUp: return "fraStartUp";
        case PreferenceGroup::Printing: return "fraPrinting";
        case PreferenceGroup::HomePlace: return "fraHomePlace";
    }
    return "";
}

QVBoxLayout* Column(std::initializer_list<QWidget*> frames) {
    auto* column = new QVBoxLayout;
    for (QWidget* frame : frames) column->addWidget(frame);
    column->addStretch();
    return column;
}

}  // namespace

PreferencesWindow::PreferencesWindow(Dialogs& dialogs, PreferencesSlice slice, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), slice_(slice) {
    SetUpWindow(*this, "Preferences", "Preferences");

    auto* columns = new QHBoxLayout;
    columns->addLayout(Column({MakeGroup(PreferenceGroup::Orbs), MakeGroup(PreferenceGroup::Searched),
                               MakeGroup(PreferenceGroup::Filters)}));
    columns->addLayout(Column({MakeGroup(PreferenceGroup::StartUp),
                               MakeGroup(PreferenceGroup::Printing),
                               MakeGroup(PreferenceGroup::HomePlace), MakeTimeline()}));
    // The points under the positions, whose choice decides which of them can be computed.
    columns->addLayout(Column({MakePositions(), MakePoints(), MakeWheel(), MakeEvents()}));

    QPushButton* cmdRestoreDefault = Named<QPushButton>("&Restore Defaults", "cmdRestoreDefault");
    QPushButton* btnSave = Named<QPushButton>("&Save", "btnSave");
    QPushButton* btnCancel = Named<QPushButton>("Cancel", "btnCancel");
    connect(cmdRestoreDefault, &QPushButton::clicked, this, &PreferencesWindow::cmdRestoreDefault_Click);
    connect(btnSave, &QPushButton::clicked, this, &PreferencesWindow::btnSave_Click);
    connect(btnCancel, &QPushButton::clicked, this, &PreferencesWindow::btnCancel_Click);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &PreferencesWindow::btnCancel_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdRestoreDefault);
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);

    // The frames scroll when the screen is lower than they are (a laptop's 768 pixels less a
    // panel); the buttons stay in sight below them.
    auto* body = new QWidget;
    body->setObjectName("fraBody");
    body->setLayout(columns);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(4);
    auto* scroll = new QScrollArea;
    scroll->setObjectName("scrBody");
    scroll->setWidget(body);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    // Opened as large as its frames; the shell's window places fit it to the screen.
    const QMargins m = layout->contentsMargins();
    // Room for the frames and, should they scroll, the scroll bar beside them.
    resize(body->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width() + m.left() + m.right(),
           body->sizeHint().height() + layout->spacing() + buttons->sizeHint().height() + m.top() + m.bottom());

    PreferencesLoad load = LoadPreferences(slice_.calc.ProgramDir);
    for (const std::string& problem : load.problems) {
        dialogs_.MessageBox(this, QString::fromStdString(problem), "Warning!", MessageIcon::Information);
    }
    // An unreadable file is caught by the menu; should it vanish in between, the values in force.
    shown_ = load.options ? *load.options : slice_.calc.options;
    SetEntries(EntriesForOptions(shown_));
    SetSettings(load.settings.settings);
}

QWidget* PreferencesWindow::MakeGroup(PreferenceGroup group) {
    const QString title = QString::fromStdString(PreferenceGroupTitle(group));
    QGroupBox* frame = Named<QGroupBox>(title, FrameName(group));
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(2, 1);
    const int boxWidth = fontMetrics().horizontalAdvance(QString(NumberBoxChars, '0'));
    int row = 0;
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        const PreferenceField& field = PreferenceFields[i];
        if (field.group != group) continue;
        switch (field.kind) {
            case PreferenceKind::TickBox:
                controls_[i] = Named<QCheckBox>(field.label, field.control);
                grid->addWidget(controls_[i], row, 0, 1, 3);
                break;
            case PreferenceKind::List: {
                auto* list = new QComboBox;
                list->setObjectName(field.control);
                // As wide as the frame's numbers, not as the longest choice.
                list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                list->setMinimumContentsLength(ListChars);
                for (const PreferenceChoice& choice : field.choices) list->addItem(choice.caption);
                controls_[i] = list;
                grid->addWidget(new QLabel(field.label), row, 0);
                grid->addWidget(list, row, 1, 1, 2);
                break;
            }
            case PreferenceKind::Number: {
                auto* box = new QLineEdit;
                box->setObjectName(field.control);
                box->setFixedWidth(boxWidth);
                box->setAlignment(Qt::AlignRight);
                controls_[i] = box;
                auto* label = new QLabel(field.label);
                label->setBuddy(box);
                grid->addWidget(label, row, 0);
                grid->addWidget(box, row, 1);
                grid->addWidget(new QLabel(QString::fromStdString(UnitAndRange(field))), row, 2);
                break;
            }
        }
        controls_[i]->setToolTip(field.label);
        ++row;
    }
    return frame;
}

QWidget* PreferencesWindow::MakePositions() {
    QGroupBox* frame = Named<QGroupBox>("Positions", "fraPositions");
    auto* column = new QVBoxLayout(frame);
    optEphemerisBuiltin_ = Named<QRadioButton>("Built-in series (best 1885 to 2099)", "optEphemerisBuiltin");
    optEphemerisPrecise_ = Named<QRadioButton>("Precise (Swiss Ephemeris)", "optEphemerisPrecise");
    TabToCheckedRadio({optEphemerisBuiltin_, optEphemerisPrecise_});
    column->addWidget(optEphemerisBuiltin_);
    column->addWidget(optEphemerisPrecise_);
    const PreciseChoiceState precise = PreciseChoice();
    if (!precise.enabled) {
        optEphemerisPrecise_->setEnabled(false);
        auto* why = new QLabel("Not available: " + QString::fromStdString(precise.reason));
        why->setObjectName("lblPreciseUnavailable");
        why->setWordWrap(true);
        why->setIndent(fontMetrics().horizontalAdvance("    "));
        column->addWidget(why);
    }
    return frame;
}

QWidget* PreferencesWindow::MakeWheel() {
    QGroupBox* frame = Named<QGroupBox>("Wheel", "fraWheel");
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel("Rings"), 0, 0, 1, 2);
    int shown = 0;
    for (const WheelRingInfo& info : WheelRings) {
        if (!Choosable(info)) continue;
        const std::string name = RingBoxName("chkRing", info.ring);
        QCheckBox*& box = rings_[RingIndex(info.ring)];
        box = Named<QCheckBox>(QString::fromUtf8(info.label.data(), static_cast<qsizetype>(info.label.size())),
                               name.c_str());
        grid->addWidget(box, 1 + shown / 2, shown % 2);
        ++shown;
    }
    grid->addWidget(new QLabel("On the left"), 3, 0, 1, 2);
    optAscendantLeft_ = Named<QRadioButton>("Ascendant", "optAscendantLeft");
    optAriesLeft_ = Named<QRadioButton>("0\u00B0 Aries", "optAriesLeft");
    TabToCheckedRadio({optAscendantLeft_, optAriesLeft_});
    grid->addWidget(optAscendantLeft_, 4, 0);
    grid->addWidget(optAriesLeft_, 4, 1);
    return frame;
}

QWidget* PreferencesWindow::MakeTimeline() {
    QGroupBox* frame = Named<QGroupBox>("Timeline", "fraTimeline");
    auto* column = new QVBoxLayout(frame);
    for (const FamilyInfo& family : ScanFamilies) {
        const std::size_t i = FamilyIndex(family.family);
        const QByteArray name = FamilyBoxName(family.family).toUtf8();
        families_[i] = Named<QCheckBox>(QString::fromUtf8(family.label.data(), static_cast<qsizetype>(family.label.size())),
                                        name.constData());
        column->addWidget(families_[i]);
    }
    return frame;
}

QWidget* PreferencesWindow::MakeEvents() {
    QGroupBox* frame = Named<QGroupBox>("Events", "fraEvents");
    auto* grid = new QGridLayout(frame);
    grid->setColumnStretch(2, 1);
    txtEventOrb_ = new QLineEdit;
    txtEventOrb_->setObjectName("txtEventOrb");
    txtEventOrb_->setFixedWidth(fontMetrics().horizontalAdvance(QString(NumberBoxChars, '0')));
    txtEventOrb_->setAlignment(Qt::AlignRight);
    txtEventOrb_->setToolTip("Lunations and eclipses in the Events window name the natal points within this "
                             "many degrees (by conjunction or opposition); also orrerion-cli events without --orb");
    auto* label = new QLabel("Lunation and eclipse orb");
    label->setBuddy(txtEventOrb_);
    grid->addWidget(label, 0, 0, 1, 3);
    grid->addWidget(txtEventOrb_, 1, 0);
    grid->addWidget(new QLabel(QString("degrees (%1 to %2)")
                                   .arg(QString::fromStdString(EventOrbEntry(MinEventOrb)),
                                        QString::fromStdString(EventOrbEntry(MaxEventOrb)))),
                    1, 1, 1, 2);
    return frame;
}

QWidget* PreferencesWindow::MakePoints() {
    QGroupBox* frame = Named<QGroupBox>("Points", "fraPoints");
    auto* grid = new QGridLayout(frame);
    constexpr int Across = 2;
    int cell = 0;
    for (const PointBox& point : PointBoxes()) {
        QCheckBox* box = Named<QCheckBox>(QString::fromStdString(point.caption), point.control.c_str());
        grid->addWidget(box, cell / Across, cell % Across);
        ++cell;
        points_.emplace_back(point, box);
    }
    // Beside the Fortune box, which comes last.
    chkFortuneDayFormula_ = Named<QCheckBox>("Day formula always", "chkFortuneDayFormula");
    chkFortuneDayFormula_->setToolTip("The Lot of Fortune as ascendant + Moon - Sun even when the Sun is below the "
                                      "horizon; unticked, ascendant + Sun - Moon then");
    grid->addWidget(chkFortuneDayFormula_, cell / Across, cell % Across);
    cell += Across - cell % Across;
    chkPointsInReports_ = Named<QCheckBox>("New points in the reports", "chkPointsInReports");
    chkPointsInReports_->setToolTip("The reports' format changes only when this is ticked: the chosen points are "
                                    "then added to the scan's reports. Unticked, the reports keep their format "
                                    "for the programs that read them.");
    grid->addWidget(chkPointsInReports_, cell / Across, 0, 1, Across);
    cell += Across;
    lblPointsUnavailable_ = new QLabel;
    lblPointsUnavailable_->setObjectName("lblPointsUnavailable");
    lblPointsUnavailable_->setWordWrap(true);
    grid->addWidget(lblPointsUnavailable_, cell / Across, 0, 1, Across);
    for (QRadioButton* source : {optEphemerisBuiltin_, optEphemerisPrecise_}) {
        connect(source, &QRadioButton::toggled, this, &PreferencesWindow::ShowPointsAvailable);
    }
    return frame;
}

void PreferencesWindow::ShowPointsAvailable() {
    const EphemerisSource source =
        optEphemerisPrecise_->isChecked() ? EphemerisSource::Precise : EphemerisSource::Builtin;
    const std::vector<UnavailablePoints> unavailable = PointsUnavailable(source);
    QStringList notes;
    for (const UnavailablePoints& group : unavailable) notes << "Greyed out: " + QString::fromStdString(group.why);
    for (auto& [point, box] : points_) {
        QString why;
        for (const UnavailablePoints& group : unavailable) {
            if (std::find(group.points.begin(), group.points.end(), point.point) != group.points.end()) {
                why = QString::fromStdString(group.why);
            }
        }
        // A tick stays while greyed out: the point comes back with positions that have it.
        box->setEnabled(why.isEmpty());
        box->setToolTip(why.isEmpty() ? QString::fromStdString(point.tip) : "Not available: " + why);
    }
    lblPointsUnavailable_->setText(notes.join("\n"));
    lblPointsUnavailable_->setVisible(!notes.isEmpty());
}

void PreferencesWindow::SetEntries(const PreferenceEntries& entries) {
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        switch (PreferenceFields[i].kind) {
            case PreferenceKind::Number:
                static_cast<QLineEdit*>(controls_[i])->setText(QString::fromStdString(entries[i].text));
                break;
            case PreferenceKind::TickBox:
                static_cast<QCheckBox*>(controls_[i])->setChecked(entries[i].choice == 1);
                break;
            case PreferenceKind::List:
                static_cast<QComboBox*>(controls_[i])->setCurrentIndex(entries[i].choice);
                break;
        }
    }
}

PreferenceEntries PreferencesWindow::Entries() const {
    PreferenceEntries entries;
    for (std::size_t i = 0; i < PreferenceFields.size(); ++i) {
        switch (PreferenceFields[i].kind) {
            case PreferenceKind::Number:
                entries[i].text = static_cast<QLineEdit*>(controls_[i])->text().toStdString();
                break;
            case PreferenceKind::TickBox:
                entries[i].choice = static_cast<QCheckBox*>(controls_[i])->isChecked() ? 1 : 0;
                break;
            case PreferenceKind::List:
                entries[i].choice = static_cast<QComboBox*>(controls_[i])->currentIndex();
                break;
        }
    }
    return entries;
}

void PreferencesWindow::SetSettings(const Settings& settings) {
    (settings.ephemeris == EphemerisSource::Precise ? optEphemerisPrecise_ : optEphemerisBuiltin_)
        ->setChecked(true);
    for (std::size_t i = 0; i < rings_.size(); ++i) {
        if (rings_[i]) rings_[i]->setChecked(settings.wheelRings[i]);
    }
    (settings.wheelOrientation == WheelOrientation::AriesLeft ? optAriesLeft_ : optAscendantLeft_)
        ->setChecked(true);
    for (std::size_t i = 0; i < families_.size(); ++i) families_[i]->setChecked(settings.timelineFamilies[i]);
    eventOrbShown_ = settings.eventOrb;
    txtEventOrb_->setText(QString::fromStdString(EventOrbEntry(settings.eventOrb)));
    for (auto& [point, box] : points_) box->setChecked(settings.points.Has(point.point));
    chkFortuneDayFormula_->setChecked(settings.points.fortuneDayFormulaAlways);
    chkPointsInReports_->setChecked(settings.pointsInReports);
    ShowPointsAvailable();
}

Settings PreferencesWindow::CurrentSettings() const {
    Settings s;
    s.ephemeris = optEphemerisPrecise_->isChecked() ? EphemerisSource::Precise : EphemerisSource::Builtin;
    for (std::size_t i = 0; i < rings_.size(); ++i) s.wheelRings[i] = rings_[i] && rings_[i]->isChecked();
    s.wheelOrientation =
        optAriesLeft_->isChecked() ? WheelOrientation::AriesLeft : WheelOrientation::AscendantLeft;
    for (std::size_t i = 0; i < families_.size(); ++i) s.timelineFamilies[i] = families_[i]->isChecked();
    s.eventOrb = EventOrbFromEntry(txtEventOrb_->text().toStdString(), eventOrbShown_).orb;
    for (const auto& [point, box] : points_) {
        if (box->isChecked()) ChoosePoint(s.points, point.point);
    }
    s.points.fortuneDayFormulaAlways = chkFortuneDayFormula_->isChecked();
    s.pointsInReports = chkPointsInReports_->isChecked();
    return s;
}

void PreferencesWindow::ShowProblem(const PreferenceProblem& problem) {
    dialogs_.MessageBox(this, QString::fromStdString(problem.message), "Warning!",
                        MessageIcon::Information);
    QWidget* control = findChild<QWidget*>(QString::fromStdString(problem.control));
    if (!control) return;
    control->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(control)) box->selectAll();
}

void PreferencesWindow::btnSave_Click() {
    const PreferencesRead read = OptionsFromEntries(Entries(), shown_);
    const Settings settings = CurrentSettings();
    std::vector<PreferenceProblem> problems = read.problems;
    if (auto orb = EventOrbFromEntry(txtEventOrb_->text().toStdString(), eventOrbShown_).problem) {
        problems.push_back(std::move(*orb));
    }
    for (PreferenceProblem& problem : CheckSettings(settings)) problems.push_back(std::move(problem));
    if (!problems.empty()) {
        ShowProblem(problems.front());
        return;
    }
    const PreferencesSaved saved =
        SavePreferences(slice_.calc.ProgramDir, read.values, settings, slice_.calc.options, slice_.settings);
    for (const std::string& message : saved.messages) {
        dialogs_.MessageBox(this, QString::fromStdString(message), "Warning!", MessageIcon::Information);
    }
    slice_.windowTitle = BuildWindowTitle();
    if (saved.ok) close();
}

void PreferencesWindow::btnCancel_Click() { close(); }

void PreferencesWindow::cmdRestoreDefault_Click() {
    const MasterOptions master = LoadMasterOptions(slice_.calc.ProgramDir);
    if (!master.options) {
        dialogs_.MessageBox(this, QString::fromStdString(master.problem), "Warning!",
                            MessageIcon::Information);
        return;
    }
    SetEntries(EntriesForOptions(*master.options));
    SetSettings(Settings{});
}

}  // namespace orrerion::gui
