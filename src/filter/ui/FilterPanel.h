#pragma once
// The filter window's widgets: table, field, operator and value pickers, name and prefix, the
// filter list with its action buttons, the And/Or choice for "Add clause", the combination of
// two filters and the SQL window.
// Everything it does goes through FilterWindow; it only copies its boxes into the controller
// before each action and shows the controller's state afterwards.
#include <QList>
#include <QWidget>

class FilterWindow;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class SchemaCatalogue;

class FilterPanel : public QWidget {
    Q_OBJECT
public:
    FilterPanel(FilterWindow& window, const SchemaCatalogue& catalogue, QWidget* parent = nullptr);

    // Refills the pickers and the filter list from the catalogue, keeping the choices it can.
    void refreshLists();
    QListWidget* filterList() const { return filters_; }

private:
    void fillFields();
    void takeInput();
    void showState();
    // Runs one controller action between taking the input and showing the state.
    void act(bool (FilterWindow::*action)());

    FilterWindow& window_;
    const SchemaCatalogue& catalogue_;
    QComboBox* tables_;
    QComboBox* fields_;
    QComboBox* operators_;
    QLineEdit* value_;
    QLineEdit* name_;
    QLineEdit* prefix_;
    QListWidget* filters_;
    QRadioButton* and_;
    QComboBox* combine1_;
    QComboBox* combine2_;
    QLineEdit* combineResult_;
    QList<QRadioButton*> combineParts_;
    QPlainTextEdit* sql_;
    QLabel* hint_;
    QLabel* count_;
};
