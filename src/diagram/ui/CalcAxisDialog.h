#pragma once
// The editor of a calculated diagram axis, opened from the axis's "Calc" label: five table and
// field pickers for a to e, the equation, and the calculations kept in the system database to
// start from. Accepting it hands back the calculation; the axis then reads "Calc" and the
// calculation's parts.
#include "calc/UserCalculation.h"

#include <QDialog>
#include <array>

class QComboBox;
class QLineEdit;
class SchemaCatalogue;

class CalcAxisDialog : public QDialog {
    Q_OBJECT
public:
    // systemDatabase: where the kept calculations are; empty for none.
    CalcAxisDialog(const QString& axis, const UserCalculation& current,
                   const SchemaCatalogue& catalogue, const QString& systemDatabase,
                   QWidget* parent = nullptr);

    UserCalculation calculation() const;
    // Takes over a kept calculation by name; false when there is none of that name.
    bool useStored(const QString& name);

    QComboBox* stored() const { return stored_; }
    QComboBox* tablePicker(int v) const { return tables_[size_t(v)]; }
    QComboBox* fieldPicker(int v) const { return fields_[size_t(v)]; }
    QLineEdit* equation() const { return equation_; }

private:
    void show(const UserCalculation& c);

    const SchemaCatalogue& catalogue_;
    QString systemDatabase_;
    QString name_;
    QComboBox* stored_;
    std::array<QComboBox*, UserCalcFormula::variableCount> tables_{};
    std::array<QComboBox*, UserCalcFormula::variableCount> fields_{};
    QLineEdit* equation_;
};
