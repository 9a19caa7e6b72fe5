#pragma once
// The ClipData window's widgets: a tab per page, the active page in a table view, the key marks
// of a table to be made (click a column heading) and the File and Tools menus. Every action goes
// to ClipDataWindow; the view only shows the page again afterwards. The table loader window is
// the frame's to open.
#include <QWidget>

class ClipDataWindow;
class QLabel;
class QTabBar;
class QTableView;
class SheetTableModel;

class ClipDataView : public QWidget {
    Q_OBJECT
public:
    explicit ClipDataView(ClipDataWindow& window, QWidget* parent = nullptr);

    // Shows the pages and the active page again, after anyone changed them.
    void refresh();
    QTableView* table() const { return table_; }

signals:
    // "Load tables from database...": the frame opens the table loader window.
    void tableLoaderRequested();

private:
    void buildMenus();
    // Runs an action of the controller, then shows the result.
    void act(const std::function<bool()>& action);
    // The selection as 1-based row1, column1, row2, column2; the current cell without one.
    std::array<int, 4> selection() const;
    void showKeys();

    ClipDataWindow& window_;
    QTabBar* pages_;
    QTableView* table_;
    SheetTableModel* model_;
    QLabel* keys_;
};
