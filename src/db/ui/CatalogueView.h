#pragma once
// The catalogue window's widgets: the tables of the open database with the fields of the one
// picked (key fields in bold), and the links list as an editable table (first table, second
// table, then pairs of key fields). Its menu reads and writes link files through
// CatalogueWindow; edits of the links go straight into the session's catalogue, which the SQL
// builders read.
#include "db/CatalogueWindow.h"

#include <QWidget>

class Dialogs;
class QLabel;
class QListWidget;
class QTableView;
class SessionDatabase;
class SheetTableModel;

class CatalogueView : public QWidget {
    Q_OBJECT
public:
    CatalogueView(SessionDatabase& session, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the catalogue anew (after a database opened or the links were read).
    void refresh();
    QListWidget* tables() const { return tables_; }
    QListWidget* fields() const { return fields_; }
    QTableView* links() const { return links_; }
    QLabel* noLinksHint() const { return noLinks_; }

private:
    void showFields();

    SessionDatabase& session_;
    CatalogueWindow window_;
    QListWidget* tables_;
    QListWidget* fields_;
    QTableView* links_;
    SheetTableModel* linksModel_;
    QLabel* noLinks_; // says what to do while the links list is empty
};
