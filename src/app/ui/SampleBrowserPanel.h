#pragma once
// The sample browser's widgets: table and field pickers, the value box, "&Retrieve" and the
// two-column record grid with its pop-up menu. Everything it does goes through SampleBrowser.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class SampleBrowser;
class SchemaCatalogue;

class SampleBrowserPanel : public QWidget {
    Q_OBJECT
public:
    SampleBrowserPanel(SampleBrowser& browser, const SchemaCatalogue& catalogue,
                       QWidget* parent = nullptr);

    // Refills the table and field pickers from the catalogue, keeping the choices it can.
    void refreshLists();
    QTableWidget* recordGrid() const { return grid_; }

    void retrieve();
    void updateDatabase();
    void deleteRecord();

private:
    void fillFields();
    void takeInput();
    void showRecord();
    void readRecord();
    void copy(bool all);
    // Selects the value of a record row (1-based) the find buffer gave; 0: nothing.
    void showFound(int row);

    SampleBrowser& browser_;
    const SchemaCatalogue& catalogue_;
    QComboBox* tables_;
    QComboBox* fields_;
    QLineEdit* value_;
    QCheckBox* always_;
    QTableWidget* grid_;
    QLabel* panel_;
};
