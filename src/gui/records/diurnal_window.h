#pragma once
// The diurnal input window (InputD1): the second moment and place, the progression type, "Use
// natal data" and "2nd Person".
#include <QWidget>

#include "chart/input_fields.h"

namespace orrerion::gui {

class Shell;

class DiurnalWindow : public QWidget {
    Q_OBJECT
public:
    explicit DiurnalWindow(Shell& shell, QWidget* parent = nullptr);

    DiurnalFields Fields() const;
    void SetFields(const DiurnalFields& fields);
    void SetDiurnalToNow();
    void CopyNatalToDiurnal();
    // chk2ndPerson and chkNatOrNow, read by the Names and Cities windows.
    bool SecondPerson() const;
    bool UseNatalData() const;
    void SetSecondPersonCaption(const QString& name);

private:
    Shell& shell_;
    DiurnalFields fields_;
};

}  // namespace orrerion::gui
