#pragma once
// The table grid window ("View"): the statement, a table view over the paged rows, the record
// counter, and the grid's menus. Every action goes to the grid's core classes.
#include "grid/GridController.h"

#include <QWidget>
#include <functional>

class Dialogs;
class OpenViews;
class QLabel;
class QLineEdit;
class QTableView;
class SessionDatabase;
class Status;
class WindowGeometry;

class GridWindow : public QWidget {
    Q_OBJECT
public:
    struct Folders {
        QString appPath;
        QString userFolder;
    };

    GridWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, OpenViews& views,
               Folders folders, QWidget* parent = nullptr);

    bool open(const QString& statement, const QString& caption);
    // "&Copy to ClipData": the frame loads the statement's rows into its ClipData sheet.
    std::function<void(const QString& statement)> copyToClipData;
    GridController& controller() { return grid_; }
    QTableView* table() const { return table_; }
    QString counterText() const;
    // Where its dialogs (the SQL clause editor) were last closed; nullptr: their default place.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }

signals:
    void closeRequested();
    void schemaChanged();
    // "&Load new grid" and "Open SQL...": another grid on the statement.
    void openGridRequested(const QString& statement, const QString& caption);

private:
    void buildMenus();
    void bindModel();
    int currentColumn() const;
    std::vector<int> columnWidths() const;
    void applyColumnView(const QString& path);
    void sort(GridController::SortMode mode);
    void find();
    void showStatistics();
    void deleteSelectedRows();
    void deleteInAllTables();
    void saveSql();
    void saveColumnView(bool choosePath);
    void openColumnView();
    void addField(const QString& suggested);
    void copySelection() const;
    void afterBulkEdit(bool changed);
    // Asks for the KML settings, then writes the selected rows.
    void exportKml();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    Folders folders_;
    const WindowGeometry* geometry_ = nullptr;
    GridController grid_;
    QLineEdit* sql_;
    QTableView* table_;
    QLabel* counter_;
};
