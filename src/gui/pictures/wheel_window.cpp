#include "gui/pictures/wheel_window.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/exports/return_exports.h"
#include "core/pictures/chart_heading.h"
#include "core/pictures/wheel_output.h"
#include "gui/pictures/picture_export.h"
#include "gui/pictures/wheel_painter.h"
#include "gui/pictures/wheel_presenter.h"
#include "gui/ui/dialogs.h"
#include "gui/ui/window_setup.h"

namespace orrerion::gui {

WheelView::WheelView(QWidget* parent) : QWidget(parent) {
    setObjectName("picWheel");
    setMinimumSize(300, 300);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(false);
}

void WheelView::SetLayout(std::optional<WheelLayout> layout) {
    layout_ = std::move(layout);
    update();
}

void WheelView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!layout_) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap, NoWheelYetText);
        return;
    }
    PaintWheel(painter, *layout_, QRectF(rect()));
}

WheelWindow::WheelWindow(WheelWindowSlice slice, QWidget* parent)
    : QWidget(parent, Qt::Window),
      slice_(slice),
      view_(new WheelView),
      lblChart_(new QLabel),
      lblNote_(new QLabel),
      chkOuterAspects_(new QCheckBox("Aspects to &natal")),
      optAscendantLeft_(new QRadioButton("&Ascendant at left")),
      optAriesLeft_(new QRadioButton("0° A&ries at left")) {
    SetUpWindow(*this, "Wheel", "Chart Wheel");
    for (const WheelRingInfo& info : WheelRings) {
        if (info.place != RingPlace::Outer) continue;
        auto* box = new QCheckBox("&" + QString::fromUtf8(info.label.data(), static_cast<qsizetype>(info.label.size())));
        box->setObjectName(QString::fromStdString(RingBoxName("chk", info.ring)));
        box->setToolTip("Show " + QString::fromUtf8(info.chart.data(), static_cast<qsizetype>(info.chart.size())) +
                        " as a ring around the natal one");
        ringBoxes_[RingIndex(info.ring)] = box;
    }
    NameControls({{chkOuterAspects_, "chkOuterAspects"},
                  {optAscendantLeft_, "optAscendantLeft"}, {optAriesLeft_, "optAriesLeft"},
                  {lblNote_, "lblNote"}});
    SetUpHeading(*lblChart_);
    chkOuterAspects_->setToolTip("Also draw the aspects of the first outer ring's points to the natal points");
    optAscendantLeft_->setToolTip("The ascendant at nine o'clock");
    optAriesLeft_->setToolTip("0 degrees Aries at nine o'clock");

    auto* rings = new QGroupBox("Rings around the natal chart");
    rings->setObjectName("fraRings");
    auto* ringRow = new QHBoxLayout(rings);
    for (QCheckBox* box : ringBoxes_) {
        if (box) ringRow->addWidget(box);
    }
    ringRow->addWidget(chkOuterAspects_);
    auto* orientation = new QGroupBox("Orientation");
    orientation->setObjectName("fraOrientation");
    auto* orientationRow = new QHBoxLayout(orientation);
    orientationRow->addWidget(optAscendantLeft_);
    orientationRow->addWidget(optAriesLeft_);

    QPushButton* cmdPrint = CommandButton(*this, "&Print...", "cmdPrint", [this] { cmdPrint_Click(); });
    QPushButton* cmdExport = CommandButton(*this, "&Export...", "cmdExport", [this] { cmdExport_Click(); });
    QPushButton* cmdClose = CommandButton(*this, "&Close", "cmdClose", [this] { close(); });
    cmdPrint->setToolTip("Print the wheel (Ctrl+P)");
    cmdExport->setToolTip("Save the wheel as PNG, SVG or PDF (Ctrl+S)");
    cmdClose->setToolTip("Close the window (Escape)");

    auto* controls = new QHBoxLayout;
    controls->addWidget(rings);
    controls->addWidget(orientation);
    controls->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    controls->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChart_);
    layout->addLayout(controls);
    layout->addWidget(lblNote_);
    layout->addWidget(view_, 1);

    choice_ = WheelChoiceFromSettings(slice_.settings.settings, slice_.outerAspects);
    const WheelChoice& choice = choice_;
    for (const WheelRingInfo& info : WheelRings) {
        if (QCheckBox* box = ringBoxes_[RingIndex(info.ring)]) box->setChecked(HasWheelRing(choice, info.ring));
    }
    chkOuterAspects_->setChecked(choice.outerAspects);
    (choice.orientation == WheelOrientation::AriesLeft ? optAriesLeft_ : optAscendantLeft_)->setChecked(true);

    for (const WheelRingInfo& info : WheelRings) {
        QCheckBox* box = ringBoxes_[RingIndex(info.ring)];
        if (box) connect(box, &QCheckBox::clicked, this, [this, ring = info.ring, box] { RingClicked(ring, box); });
    }
    connect(chkOuterAspects_, &QCheckBox::clicked, this, [this] {
        slice_.outerAspects = chkOuterAspects_->isChecked();
        Refresh();
    });
    TabToCheckedRadio({optAscendantLeft_, optAriesLeft_});
    connect(optAscendantLeft_, &QRadioButton::clicked, this, &WheelWindow::OrientationClicked);
    connect(optAriesLeft_, &QRadioButton::clicked, this, &WheelWindow::OrientationClicked);
    AddPictureWindowKeys(*this, [this] { cmdPrint_Click(); }, [this] { cmdExport_Click(); });

    resize(760, 860);
    Refresh();
}

void WheelWindow::Refresh() {
    choice_ = WheelChoiceFromSettings(slice_.settings.settings, slice_.outerAspects);
    for (const WheelRingInfo& info : WheelRings) {
        if (QCheckBox* box = ringBoxes_[RingIndex(info.ring)]) box->setChecked(HasWheelRing(choice_, info.ring));
    }
    (choice_.orientation == WheelOrientation::AriesLeft ? optAriesLeft_ : optAscendantLeft_)->setChecked(true);
    // A return wheel has its two rings; its aspects to natal stay a choice.
    for (QCheckBox* box : ringBoxes_) {
        if (box) box->setEnabled(!return_);
    }
    if (return_) {
        view_->SetLayout(ReturnWheel(slice_.calc, *return_, choice_));
        lblChart_->setText(QString::fromStdString(
            ReturnName(return_->moment.body) + " at " +
            SecondText(return_->moment.jd, MomentClock{}, slice_.calc.DateOrder) + " UT inside the natal chart: " +
            ChartHeading(slice_.calc.chart)));
        lblNote_->setText("A return chart inside the natal chart. Data > Wheel (F3) shows the chosen rings again.");
    } else {
        view_->SetLayout(CurrentWheel(slice_.calc, slice_.chartComputed, choice_));
        lblChart_->setText(QString::fromStdString(slice_.chartComputed ? ChartHeading(slice_.calc.chart) : NoChartHeading));
        lblNote_->setText(choice_.outerRings.size() >= 2
                              ? "Two rings are shown around the natal chart; untick one to choose another."
                              : QString());
    }
    lblNote_->setVisible(!lblNote_->text().isEmpty());
}

void WheelWindow::ShowReturn(const ReturnChart& chart) {
    return_ = chart;
    Refresh();
}

void WheelWindow::ShowCalculation() {
    return_.reset();
    Refresh();
}

void WheelWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Refresh();
}

void WheelWindow::RingClicked(WheelRing ring, QCheckBox* box) {
    if (!ToggleWheelRing(choice_, ring, box->isChecked())) {
        box->setChecked(false);
        slice_.dialogs.MessageBox(this, "The wheel shows at most two rings around the natal chart.",
                                  "Information", MessageIcon::Information);
        return;
    }
    StoreChoice();
    Refresh();
}

void WheelWindow::OrientationClicked() {
    choice_.orientation = optAriesLeft_->isChecked() ? WheelOrientation::AriesLeft : WheelOrientation::AscendantLeft;
    StoreChoice();
    Refresh();
}

void WheelWindow::StoreChoice() {
    StoreWheelChoice(choice_, slice_.settings.settings);
    // The file is read again under its lock, so that lines another copy wrote meanwhile stay.
    const WriteResult written =
        UpdateSettings(slice_.calc.ProgramDir / SettingsFileName, slice_.settings.settings, slice_.settings);
    if (!written.ok) {
        slice_.dialogs.MessageBox(this, QString::fromStdString(written.message), "Error!", MessageIcon::Critical);
    }
}

void WheelWindow::cmdPrint_Click() {
    const std::optional<WheelLayout>& layout = view_->layout();
    if (!layout) {
        slice_.dialogs.MessageBox(this, NoWheelYetText, "Information", MessageIcon::Information);
        return;
    }
    PrintPicture(this, slice_.dialogs, QPageLayout::Portrait, 1,
                 [&](QPainter& painter, const QRectF& area, int) { PaintWheel(painter, *layout, area); });
}

void WheelWindow::cmdExport_Click() {
    const std::optional<WheelLayout>& layout = view_->layout();
    if (!layout) {
        slice_.dialogs.MessageBox(this, NoWheelYetText, "Information", MessageIcon::Information);
        return;
    }
    PictureExport request;
    request.title = "Export the wheel";
    request.proposedName = QString::fromStdString(
        return_ ? ProposedPictureFileName(slice_.calc.chart.ChartName, "return", "png")
                : ProposedWheelFileName(slice_.calc.chart.ChartName, "png"));
    request.initialDir = QString::fromStdString(slice_.calc.ProgramDir.string());
    request.pngSize = QSize(1600, 1600);
    request.paint = [&](QPainter& painter, const QRectF& area) { PaintWheel(painter, *layout, area); };
    const std::string svgTitle = (return_ ? "Return wheel: " : "Chart wheel: ") + slice_.calc.chart.ChartName;
    request.svg = [&] { return WheelSvg(*layout, svgTitle); };
    const QString written = ExportPicture(this, slice_.dialogs, request);
    if (!written.isEmpty()) {
        lblNote_->setText(SavedText(written));
        lblNote_->setVisible(true);
    }
}

}  // namespace orrerion::gui
