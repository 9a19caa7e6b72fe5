#pragma once
// The table grid window ("View"): the statement, a table view over the paged rows, the record
// counter, the grid's menus, pop-up menu and right-hand buttons. Every action goes to the
// grid's core classes; the Find window and the button bar are classes of their own.
#include "grid/GridController.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class ColumnUpdateDialog;
class Dialogs;
class GridButtonBar;
class GridFindWindow;
class OpenViews;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
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
    // Column widths that fitting to the contents stays within.
    static constexpr int narrowestColumn = 40;
    static constexpr int widestColumn = 320;

    GridWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, OpenViews& views,
               Folders folders, QWidget* parent = nullptr);

    bool open(const QString& statement, const QString& caption);
    // "&Copy to ClipData": the frame loads the statement's rows into its ClipData sheet.
    std::function<void(const QString& statement)> copyToClipData;
    // The statistics windows of the "Tools" menu, on the grid's table.
    enum class StatisticsWindow { Descriptive, BoxPlot, Distribution };
    std::function<void(StatisticsWindow which, const QString& table)> openStatistics;
    GridController& controller() { return grid_; }
    QTableView* table() const { return table_; }
    QString counterText() const;
    // Where its dialogs (the SQL clause editor) were last closed; nullptr: their default place.
    void setWindowGeometry(const WindowGeometry* geometry) { geometry_ = geometry; }

    // The grids open beside this one in the same frame, this one first.
    std::vector<GridWindow*> openGrids();
    std::vector<int> visibleColumns() const;
    GridController::Cell currentCell() const;
    // Brings the window forward with the cell current and the grid focused.
    void showCell(GridController::Cell cell);
    // Shows the rows again after the controller re-read them, keeping the current cell.
    void showRows();

    QMenu* popupMenu() const { return popup_; }
    GridButtonBar* buttonBar() const { return buttons_; }
    // Created on first use.
    GridFindWindow* findWindow();
    bool editing() const { return editing_; }
    // "Update Column..." (Tools menu): the column update dialog on this grid's base table,
    // shown without blocking; the grid reads its rows again when the dialog closed after a run.
    ColumnUpdateDialog* updateColumn();

signals:
    void closeRequested();
    void schemaChanged();
    // "&Load new grid" and "Open SQL...": another grid on the statement.
    void openGridRequested(const QString& statement, const QString& caption);

private:
    void buildMenus();
    void buildPopup();
    void buildButtons();
    void bindModel();
    void fitColumns();
    void showSortIndicator();
    void headerClicked(int column);
    int currentColumn() const;
    // The selected columns, first to last (the current one when none is selected).
    std::pair<int, int> selectedColumnRange() const;
    // The selected rows, empty when at most one row is selected.
    std::vector<int> selectedRows() const;
    std::vector<int> columnWidths() const;
    void applyColumnView(const QString& path);
    void sort(GridController::SortMode mode);
    void showStatistics();
    void deleteSelectedRows();
    void deleteInAllTables();
    void saveSql();
    void saveColumnView(bool choosePath);
    void openColumnView();
    void addField(const QString& suggested);
    void copySelection() const;
    // Pastes tab-separated clipboard text into the cells from the current one on.
    void pasteCells();
    void pasteOptions();
    void setEditing(bool on);
    void synchronize();
    void popUpColumnsMenu(QWidget* under, bool chooseToGo);
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
    GridButtonBar* buttons_;
    QMenu* popup_;
    QAction* editView_ = nullptr;
    QAction* rightToolbar_ = nullptr;
    QPointer<GridFindWindow> find_;
    QStringList fittedColumns_;
    // The last valid current cell: re-reading the rows drops the view's current index.
    GridController::Cell lastCell_;
    QStringList pasteIdColumns_{QStringLiteral("ID"), QStringLiteral("SampleNo")};
    bool editing_ = true;
};
