#pragma once
// The grid's Find window ("Find"): what to find and what to put instead, where to look (the
// current column, the active grid, all open grids), whole words and case, downwards or round
// the whole. The work is GridSearch's; this window only gathers the choices and shows the
// record found in its grid.
#include "grid/GridSearch.h"

#include <QDialog>
#include <QPointer>

class Dialogs;
class GridWindow;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class GridFindWindow : public QDialog {
    Q_OBJECT
public:
    GridFindWindow(GridWindow& owner, Dialogs& dialogs);

    QLineEdit* findWhat() const { return findWhat_; }
    QLineEdit* replaceWith() const { return replaceWith_; }
    QString heading() const;
    // "Find...": the current column's scope when asked for, and the text field ready to type.
    void showFor(GridSearch::Scope scope);

private:
    GridSearch::Request request() const;
    // The open grids, the owner first, and where the search stands in them.
    std::vector<GridWindow*> grids() const;
    GridSearch searchOver(const std::vector<GridWindow*>& windows) const;
    GridSearch::Place position(const std::vector<GridWindow*>& windows) const;
    void showFound(const std::vector<GridWindow*>& windows,
                   const std::optional<GridSearch::Place>& found);
    void refreshHeading();
    void placeBesideGrid();
    void findFirst();
    void findNext();
    void replace();
    void replaceAll();

    GridWindow& owner_;
    Dialogs& dialogs_;
    QLabel* heading_;
    QLineEdit* findWhat_;
    QLineEdit* replaceWith_;
    QRadioButton* currentColumn_;
    QRadioButton* activeGrid_;
    QRadioButton* allGrids_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* down_;
    QRadioButton* all_;
    // The grid of the last record found, where the next search goes on.
    QPointer<GridWindow> lastGrid_;
    bool placed_ = false;
};
