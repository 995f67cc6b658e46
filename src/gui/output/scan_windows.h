#pragma once
// The small windows of a long scan: the status window (StatusDlg, "% Completed") whose picture
// area fills with a light red bar, and the WAIT window shown while the reports are sorted.
#include <QDialog>
#include <QElapsedTimer>
#include <QWidget>

namespace orrerion::gui {

// The picture area of the status window: a light red bar over the share done.
class ProgressPicture : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPicture(QWidget* parent = nullptr);
    double percent() const { return percent_; }
    void SetPercent(double percent);
    // Whether the picture would look different from its last painting.
    bool ChangedSincePainted() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double percent_ = 0.0;
    double paintedPercent_ = -1.0;
};

// The window is modal while the scan runs: its Cancel button (or Escape, or closing it) asks the
// scan to stop, and no other window takes input meanwhile.
class StatusWindow : public QDialog {
    Q_OBJECT
public:
    explicit StatusWindow(QWidget* parent = nullptr);
    // Fills the bar. The scan does not return to the event loop meanwhile, so the window is
    // painted here, at once, and the Cancel button answered, but no more often than every
    // FrameMilliseconds.
    void SetPercent(double percent);
    double percent() const { return picture_->percent(); }
    // Cancel was pressed.
    bool stopAsked() const { return stopAsked_; }

    static constexpr int FrameMilliseconds = 50;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ProgressPicture* picture_;
    QElapsedTimer frame_;  // since the last painting
    bool stopAsked_ = false;
};

class WaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit WaitWindow(QWidget* parent = nullptr);
    // Shows the window and paints it before the sorting starts.
    void ShowNow();
};

}  // namespace orrerion::gui
