#pragma once
// The user calculations window ("User Defined Derivatives", frmUserCalc): five rows of table and
// field pickers for a to e (cmbT, cmbE), the equation with the function list (cmbFunctions),
// "Use filtered data" with its filter, "Check" and "Calculate", the result tab that steps through
// the rows, the storage place with "Store in DB", and the calculations kept in the system
// database. The widgets' state goes into the UserCalcWindow controller, which does the work.
#include "calc/UserCalcWindow.h"

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class UserCalcView : public QWidget {
    Q_OBJECT
public:
    // systemDatabase: the path of the system database that keeps calculations by name.
    UserCalcView(SessionDatabase& session, Dialogs& dialogs, Status& status, QString systemDatabase,
                 QWidget* parent = nullptr);
    ~UserCalcView() override;

    UserCalcWindow& controller() { return *window_; }
    // Fills the pickers again from the catalogue, keeping the choices still there.
    void refresh();

    // "Check", "Calculate", "Store in DB", "Save" (keeps the calculation under a name asked for)
    // and loading a kept calculation, as the buttons and the list do them.
    bool check();
    bool calculate();
    bool store();
    bool saveCalculation();
    bool loadCalculation(const QString& name);
    void showResultRow(qsizetype row);

    QComboBox* tablePicker(int variable) const { return tables_[size_t(variable)]; }
    QComboBox* fieldPicker(int variable) const { return fields_[size_t(variable)]; }
    QLineEdit* equation() const { return equation_; }
    QComboBox* functions() const { return functions_; }
    QComboBox* storeTable() const { return storeTable_; }
    QComboBox* storeField() const { return storeField_; }
    QLineEdit* newField() const { return newField_; }
    QCheckBox* emptyFirst() const { return emptyFirst_; }
    QPlainTextEdit* resultText() const { return result_; }
    QLabel* summary() const { return summary_; }
    QListWidget* storedList() const { return stored_; }

signals:
    // A field was created or values written: pickers elsewhere may need the new field.
    void stored();

private:
    void readWidgets();
    void fillFields(int variable);
    void fillStoreFields();
    void fillStoredList();

    std::unique_ptr<UserCalcWindow> window_;
    Dialogs& dialogs_;
    QString systemDatabase_;
    std::array<QComboBox*, UserCalcFormula::variableCount> tables_{};
    std::array<QComboBox*, UserCalcFormula::variableCount> fields_{};
    QLineEdit* equation_;
    QComboBox* functions_;
    QCheckBox* useFilter_;
    QComboBox* filter_;
    QLabel* summary_;
    QPlainTextEdit* result_;
    qsizetype resultRow_ = 0;
    QComboBox* storeTable_;
    QComboBox* storeField_;
    QLineEdit* newField_;
    QCheckBox* emptyFirst_;
    QListWidget* stored_;
};
