#pragma once
// The filter window's widgets: the tabs "Field" (table, field, operator and value pickers) and
// "SQL" (the SQL window defines the filter), name and prefix, the filter list with its action
// buttons, the And/Or choice for "Add clause", the combination of two filters, the SQL window
// and its menu, and the "ClipData" box that makes the pickers the ClipData sheet's pages and
// column headings.
// Everything it does goes through FilterWindow; it only copies its boxes into the controller
// before each action and shows the controller's state afterwards.
#include <QList>
#include <QWidget>
#include <functional>

class FilterWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class SchemaCatalogue;

class FilterPanel : public QWidget {
    Q_OBJECT
public:
    FilterPanel(FilterWindow& window, const SchemaCatalogue& catalogue, QWidget* parent = nullptr);

    // Refills the pickers and the filter list from the catalogue, keeping the choices it can.
    void refreshLists();
    QListWidget* filterList() const { return filters_; }
    QTabWidget* modeTabs() const { return modes_; }
    QCheckBox* clipDataBox() const { return clipData_; }
    // The ClipData sheet's page names and a page's column headings, for the "ClipData" mode;
    // the frame sets them (the box stays disabled without them).
    void setClipDataLists(std::function<QStringList()> pages,
                          std::function<QStringList(const QString& page)> columns);

private:
    void fillFields();
    QStringList tableChoices() const;
    void buildSqlMenu();
    void takeInput();
    void showState();
    // Runs one controller action between taking the input and showing the state.
    void act(bool (FilterWindow::*action)());

    FilterWindow& window_;
    const SchemaCatalogue& catalogue_;
    std::function<QStringList()> clipPages_;
    std::function<QStringList(const QString&)> clipColumns_;
    QTabWidget* modes_;
    QCheckBox* clipData_;
    QLabel* tableLabel_;
    QLabel* fieldLabel_;
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
