#pragma once
// The unit change window's widgets over a UnitChangeWindow: the axis list, the unit options,
// the element or oxide form of the axis, and "&Apply" ("Change units and close"), after which
// the diagram is shown again.
#include "diagram/UnitChangeWindow.h"

#include <QDialog>
#include <QList>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

class UnitChangeDialog : public QDialog {
    Q_OBJECT
public:
    UnitChangeDialog(DiagramWindow& diagram, std::function<void()> shown,
                     QWidget* parent = nullptr);

    UnitChangeWindow& controller() { return window_; }
    QComboBox* axisBox() const { return axis_; }
    QComboBox* formBox() const { return form_; }
    // "%", "ppm", "ppb", "Mol. prop.", in that order.
    const QList<QRadioButton*>& unitOptions() const { return units_; }
    QPushButton* applyButton() const { return apply_; }

private:
    void showAxis();

    UnitChangeWindow window_;
    std::function<void()> shown_;
    QComboBox* axis_;
    QLabel* current_;
    QList<QRadioButton*> units_;
    QLabel* formLabel_;
    QComboBox* form_;
    QPushButton* apply_;
};
