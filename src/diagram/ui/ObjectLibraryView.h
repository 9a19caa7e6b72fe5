#pragma once
// The "Graph object library" window over an ObjectLibraryBrowser: the kind tabs, the chart
// type, two conditions (column and value) joined by the "AND"/"OR" toggle, the grid of records
// (a click on a column header sorts by it, again the other way) and the buttons "&Draw",
// "&Nodes" / "&Polygon", "&Edit" / "&View", "D&elete", "Pass&word...", "&Refresh", "&Close".
// Keeps its place under "ObjSelain".
#include "diagram/ObjectLibraryBrowser.h"

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTableWidget;
class WindowGeometry;

class ObjectLibraryView : public QDialog {
    Q_OBJECT
public:
    ObjectLibraryView(ObjectLibraryBrowser* browser, const WindowGeometry* geometry,
                      QWidget* parent);
    ~ObjectLibraryView() override;

    ObjectLibraryBrowser& browser() { return *browser_; }
    // Shows the tab of a kind and lists it.
    void showKind(LibraryKind kind);

signals:
    void drawn();

protected:
    void done(int result) override;

private:
    void fill();
    void readConditions();

    std::unique_ptr<ObjectLibraryBrowser> browser_;
    const WindowGeometry* geometry_;
    QTabBar* tabs_;
    QComboBox* chartType_;
    std::array<QComboBox*, 2> columns_{};
    std::array<QLineEdit*, 2> values_{};
    QPushButton* join_;
    QTableWidget* grid_;
    QPushButton* nodes_;
    QPushButton* edit_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* password_;
};
