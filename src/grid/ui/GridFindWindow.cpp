#include "grid/ui/GridFindWindow.h"

#include "grid/ui/GridWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

GridFindWindow::GridFindWindow(GridWindow& owner, Dialogs& dialogs)
    : QDialog(&owner)
    , owner_(owner)
    , dialogs_(dialogs)
    , heading_(new QLabel)
    , findWhat_(new QLineEdit)
    , replaceWith_(new QLineEdit)
    , currentColumn_(new QRadioButton(QStringLiteral("Current column")))
    , activeGrid_(new QRadioButton(QStringLiteral("Active grid")))
    , allGrids_(new QRadioButton(QStringLiteral("All grids")))
    , wholeWord_(new QCheckBox(QStringLiteral("Find whole word")))
    , matchCase_(new QCheckBox(QStringLiteral("Mach case")))
    , down_(new QRadioButton(QStringLiteral("Down")))
    , all_(new QRadioButton(QStringLiteral("All"))) {
    setWindowTitle(QStringLiteral("Find"));
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Find what:"), findWhat_);
    fields->addRow(QStringLiteral("Replace with:"), replaceWith_);

    const auto group = [](const QString& title, std::initializer_list<QWidget*> members) {
        auto* box = new QGroupBox(title);
        auto* layout = new QVBoxLayout(box);
        auto* buttons = new QButtonGroup(box);
        for (QWidget* w : members) {
            layout->addWidget(w);
            if (auto* radio = qobject_cast<QRadioButton*>(w))
                buttons->addButton(radio);
        }
        return box;
    };
    activeGrid_->setChecked(true);
    down_->setChecked(true);
    auto* choices = new QHBoxLayout;
    choices->addWidget(group(QStringLiteral("Search"), {currentColumn_, activeGrid_, allGrids_}));
    choices->addWidget(group(QStringLiteral("Options"), {wholeWord_, matchCase_}));
    choices->addWidget(group(QStringLiteral("Direction"), {down_, all_}));

    auto* buttons = new QVBoxLayout;
    const auto button = [&](const QString& text, void (GridFindWindow::*slot)(),
                            const QString& tip = {}) {
        auto* b = new QPushButton(text);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
        return b;
    };
    button(QStringLiteral("&Find First"), &GridFindWindow::findFirst);
    // Return in "Find what:" goes on to the next record, as the default button.
    QPushButton* next = button(QStringLiteral("&Find &Next"), &GridFindWindow::findNext);
    next->setDefault(true);
    button(QStringLiteral("&Replace"), &GridFindWindow::replace,
           QStringLiteral("Replaces current position if criteria is fulfilled and finds next "
                          "record"));
    button(QStringLiteral("Replace &All"), &GridFindWindow::replaceAll);
    buttons->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("&Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(close);

    auto* left = new QVBoxLayout;
    left->addWidget(heading_);
    left->addLayout(fields);
    left->addLayout(choices);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    for (QRadioButton* scope : {currentColumn_, activeGrid_, allGrids_})
        connect(scope, &QRadioButton::toggled, this, &GridFindWindow::refreshHeading);
    refreshHeading();
}

QString GridFindWindow::heading() const {
    return heading_->text();
}

void GridFindWindow::showFor(GridSearch::Scope scope) {
    (scope == GridSearch::Scope::CurrentColumn ? currentColumn_
     : scope == GridSearch::Scope::AllGrids    ? allGrids_
                                               : activeGrid_)
        ->setChecked(true);
    refreshHeading();
    if (!placed_) {
        placeBesideGrid();
        placed_ = true;
    }
    QDialog::show();
    raise();
    activateWindow();
    findWhat_->setFocus();
    findWhat_->selectAll();
}

void GridFindWindow::placeBesideGrid() {
    // Where it hides no rows: under the grid window, else to its right, else over its lower
    // right corner.
    adjustSize();
    const QScreen* screen = owner_.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QRect grid(owner_.mapToGlobal(QPoint(0, 0)), owner_.size());
    const QSize size = frameSize().expandedTo(sizeHint());
    for (const QPoint& at :
         {QPoint(grid.left(), grid.bottom() + 8), QPoint(grid.right() + 8, grid.top()),
          QPoint(grid.right() - size.width(), grid.bottom() - size.height())})
        if (room.isEmpty() || room.contains(QRect(at, size))) {
            move(at);
            return;
        }
}

void GridFindWindow::refreshHeading() {
    const GridSearch::Request r = request();
    const int column = owner_.currentCell().column;
    const QString columnName =
        owner_.controller().model()
            ? owner_.controller().model()->source().columnNames().value(column)
            : QString();
    heading_->setText(GridSearch::title(r.scope, columnName, owner_.controller().name()));
}

GridSearch::Request GridFindWindow::request() const {
    GridSearch::Request r;
    r.text = findWhat_->text();
    r.replacement = replaceWith_->text();
    r.scope = currentColumn_->isChecked() ? GridSearch::Scope::CurrentColumn
              : allGrids_->isChecked()    ? GridSearch::Scope::AllGrids
                                          : GridSearch::Scope::ActiveGrid;
    r.wholeWord = wholeWord_->isChecked();
    r.matchCase = matchCase_->isChecked();
    r.direction = all_->isChecked() ? GridSearch::Direction::All : GridSearch::Direction::Down;
    return r;
}

std::vector<GridWindow*> GridFindWindow::grids() const {
    return owner_.openGrids();
}

GridSearch GridFindWindow::searchOver(const std::vector<GridWindow*>& windows) const {
    std::vector<GridSearch::Grid> grids;
    for (GridWindow* w : windows)
        grids.push_back({&w->controller(), w->visibleColumns()});
    return GridSearch(std::move(grids), dialogs_);
}

GridSearch::Place GridFindWindow::position(const std::vector<GridWindow*>& windows) const {
    // Searching goes on in the grid of the last find while "All grids" holds; else in the owner.
    int grid = 0;
    if (allGrids_->isChecked())
        for (int g = 0; g < int(windows.size()); ++g)
            if (windows[size_t(g)] == lastGrid_.data())
                grid = g;
    GridWindow* w = windows[size_t(grid)];
    GridSearch::Place at{grid, w->currentCell()};
    // With no record current yet, "&Find &Next" starts at the first one.
    if (!w->table()->currentIndex().isValid())
        at.cell.row = -1;
    return at;
}

void GridFindWindow::showFound(const std::vector<GridWindow*>& windows,
                               const std::optional<GridSearch::Place>& found) {
    if (!found)
        return;
    lastGrid_ = windows[size_t(found->grid)];
    lastGrid_->showCell(found->cell);
}

void GridFindWindow::findFirst() {
    const auto windows = grids();
    lastGrid_ = &owner_;
    showFound(windows, searchOver(windows).findFirst(request()));
}

void GridFindWindow::findNext() {
    const auto windows = grids();
    showFound(windows, searchOver(windows).findNext(request(), position(windows)));
}

void GridFindWindow::replace() {
    const auto windows = grids();
    const GridSearch::Place at = position(windows);
    const auto found = searchOver(windows).replace(request(), at);
    windows[size_t(at.grid)]->showRows();
    showFound(windows, found);
}

void GridFindWindow::replaceAll() {
    const auto windows = grids();
    searchOver(windows).replaceAll(request(), position(windows));
    for (GridWindow* w : windows)
        w->showRows();
}
