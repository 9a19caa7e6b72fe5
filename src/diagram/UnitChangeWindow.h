#pragma once
// The unit change window ("Change units (XY -diagrams)"): per axis of a drawn diagram (X, Y and,
// when the diagram has one, Z) the current unit read from the axis's name, a target unit (%,
// ppm, ppb, molar proportion) and the element or oxide form the values are in. "&Apply"
// multiplies the drawn values of every changed axis and relabels it; nothing is fetched again.
#include "chem/ConcentrationUnit.h"

#include <QString>
#include <QStringList>
#include <vector>

class DiagramWindow;
class Dialogs;

class UnitChangeWindow {
public:
    static QString caption() { return QStringLiteral("Change units (XY -diagrams)"); }
    static QString shortName() { return QStringLiteral("ConvUn"); }

    struct Slot {
        QString name;      // the axis title (X, Y) or field name (Z) the unit was read from
        QStringList forms; // the element and its oxides; empty when the name has no element
        ConcentrationUnit unit = ConcentrationUnit::Percent;
        QString form; // the form the values are in; empty when unknown
        ConcentrationUnit targetUnit = ConcentrationUnit::Percent;
        QString targetForm;
    };

    // Reads the axes of the diagram as it is drawn.
    UnitChangeWindow(DiagramWindow& diagram, Dialogs& dialogs);

    // "X-axis", "Y-axis" and, for a diagram that uses Z, "Z-axis".
    QStringList axisChoices() const;
    int axis() const { return axis_; }
    // cmbAxis: leaving an axis whose selected unit differs from its current one asks "Would
    // you like to change " + current + " to " + form + " " + unit; Yes applies that change.
    void selectAxis(int axis);
    const Slot& slot() const { return slots_[size_t(axis_)]; }
    // optUnit and cmbX of the selected axis.
    void setTargetUnit(ConcentrationUnit unit) { slots_[size_t(axis_)].targetUnit = unit; }
    void setTargetForm(const QString& form) { slots_[size_t(axis_)].targetForm = form; }
    // "Change X -axis element format (oxide/element):", with the selected axis's letter.
    QString formPrompt() const;
    // The unit as the axis stores it: "%", "ppm", "ppb" or "Mol.prop.".
    static QString storedCaption(ConcentrationUnit unit);

    // "&Apply": every axis with a pending change is rescaled and relabelled. The number of axes
    // changed.
    int apply();

private:
    bool pending(int axis) const;
    void applyAxis(int axis);

    DiagramWindow& diagram_;
    Dialogs& dialogs_;
    std::vector<Slot> slots_;
    int axis_ = 0;
};
