#pragma once
// The "Open Database" dialog: the recent databases, a file of a chosen database type, or a
// server data source (a PostgreSQL service name, conninfo text or postgresql:// address).
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QTabWidget;
class WindowGeometry;

class OpenDatabaseDialog : public QDialog {
    Q_OBJECT
public:
    OpenDatabaseDialog(const QStringList& recent, const WindowGeometry& geometry,
                       QWidget* parent = nullptr);
    ~OpenDatabaseDialog() override;

    // The chosen path or data source; empty until accepted.
    QString chosen() const;

    QTabWidget* pages() const { return pages_; }
    QListWidget* recentList() const { return recent_; }
    QLineEdit* pathBox() const { return path_; }

private:
    void browse();

    const WindowGeometry& geometry_;
    QTabWidget* pages_;
    QListWidget* recent_;
    QComboBox* types_;
    QLineEdit* path_;
    QCheckBox* map_;
};
