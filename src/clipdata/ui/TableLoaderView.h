#pragma once
// The table loader window ("frmFromDBSToClipData"): the catalogue's tables in a list (lstT), the
// "LEFT JOIN" check with its base box (chkLeftJoin, cmbLEFTJOIN), the filter check with the
// filter list (chkFilterL, cmbFILTERL) and the load button. The widgets' state goes into the
// TableLoaderWindow controller, which builds and loads the statement.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class SchemaCatalogue;
class TableLoaderWindow;

class TableLoaderView : public QWidget {
    Q_OBJECT
public:
    TableLoaderView(TableLoaderWindow& window, const SchemaCatalogue& catalogue,
                    QWidget* parent = nullptr);

    // Fills the table and filter lists again from the catalogue, keeping what is still there.
    void refresh();
    // Another database opened: the controller on its connection takes over, with the choices
    // that are still there.
    void rebind(TableLoaderWindow& window);
    // The load button: true when the rows are in ClipData.
    bool load();

    QListWidget* tables() const { return tables_; }
    QCheckBox* leftJoin() const { return leftJoin_; }
    QComboBox* leftJoinBase() const { return base_; }
    QCheckBox* filterOn() const { return filterOn_; }
    QComboBox* filters() const { return filters_; }
    QPushButton* loadButton() const { return load_; }

signals:
    void loaded();

private:
    void selectionChanged();
    void fillBase();

    TableLoaderWindow* window_;
    const SchemaCatalogue& catalogue_;
    QListWidget* tables_;
    QCheckBox* leftJoin_;
    QComboBox* base_;
    QCheckBox* filterOn_;
    QComboBox* filters_;
    QPushButton* load_;
};
