#pragma once
// The "Open Database" dialog: the recent databases, a file of a chosen database type, or a
// server data source (a PostgreSQL service name, conninfo text or postgresql:// address); with a
// linker, a third page links tables and queries of another database into the open one
// (ListTable, ListQuery, "Link Table", "Done", "Cancel").
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QLabel;
class QTabWidget;
class TableLinker;
class WindowGeometry;

class OpenDatabaseDialog : public QDialog {
    Q_OBJECT
public:
    OpenDatabaseDialog(const QStringList& recent, const WindowGeometry& geometry,
                       QWidget* parent = nullptr, TableLinker* linker = nullptr);
    ~OpenDatabaseDialog() override;

    // The chosen path or data source; empty until accepted.
    QString chosen() const;

    QTabWidget* pages() const { return pages_; }
    QListWidget* recentList() const { return recent_; }
    QLineEdit* pathBox() const { return path_; }
    // The "Link Table" page; nullptr without a linker.
    QLineEdit* linkSourceBox() const { return linkSource_; }
    QListWidget* linkTables() const { return linkTables_; }
    QListWidget* linkQueries() const { return linkQueries_; }
    // Reads the tables and queries of the database named in the link source box.
    void readLinkSource();

private:
    void browse();
    QWidget* linkPage();
    void linkSelected();

    const WindowGeometry& geometry_;
    QTabWidget* pages_;
    QListWidget* recent_;
    QComboBox* types_;
    QLineEdit* path_;
    QCheckBox* map_;
    TableLinker* linker_;
    QLineEdit* linkSource_ = nullptr;
    QListWidget* linkTables_ = nullptr;
    QListWidget* linkQueries_ = nullptr;
    QLabel* linkNote_ = nullptr;
};
