#include "grid/ui/GridWindow.h"

#include "app/SettingsReader.h"
#include "db/SessionDatabase.h"
#include "export/KmlExport.h"
#include "export/ui/KmlSettingsDialog.h"
#include "grid/DatabaseAppend.h"
#include "grid/GridBulkEdits.h"
#include "grid/GridChemistry.h"
#include "grid/GridColumnStatistics.h"
#include "grid/GridFiles.h"
#include "grid/GridPaste.h"
#include "grid/GridQueryEditor.h"
#include "grid/GridSchemaCommands.h"
#include "grid/GridSearch.h"
#include "grid/GridViewSaver.h"
#include "grid/MapInfoExport.h"
#include "grid/ui/AddFieldDialog.h"
#include "grid/ui/ColumnUpdateDialog.h"
#include "grid/ui/GridButtonBar.h"
#include "grid/ui/GridFindWindow.h"
#include "grid/ui/GridStatisticsWindow.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Status.h"
#include "query/SqlNames.h"
#include "query/ui/SqlClauseDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <set>

GridWindow::GridWindow(SessionDatabase& session, Dialogs& dialogs, Status& status, OpenViews& views,
                       Folders folders, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , folders_(std::move(folders))
    , grid_(session, dialogs, status, views)
    , sql_(new QLineEdit)
    , table_(new QTableView)
    , counter_(new QLabel)
    , buttons_(new GridButtonBar)
    , popup_(new QMenu(this)) {
    setWindowTitle(QStringLiteral("View"));
    // Until the pop-up menu says otherwise, a header click sorts ascending.
    grid_.sortMode = GridController::SortMode::Ascending;
    sql_->setReadOnly(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(table_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(table_->viewport()->mapToGlobal(at)); });
    auto* rows = new QHBoxLayout;
    rows->addWidget(table_, 1);
    rows->addWidget(buttons_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(sql_);
    layout->addLayout(rows, 1);
    layout->addWidget(counter_);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &GridWindow::headerClicked);
    buildMenus();
    buildPopup();
    buildButtons();
}

bool GridWindow::open(const QString& statement, const QString& caption) {
    if (!grid_.open(statement, caption))
        return false;
    setWindowTitle(caption);
    bindModel();
    return true;
}

void GridWindow::bindModel() {
    table_->setModel(grid_.model());
    sql_->setText(grid_.statement());
    counter_->setText(counterText());
    if (auto* selection = table_->selectionModel())
        connect(selection, &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& current) {
                    if (current.isValid())
                        lastCell_ = {current.row(), current.column()};
                    counter_->setText(counterText());
                });
    if (grid_.model() && grid_.model()->source().columnNames() != fittedColumns_)
        fitColumns();
    showSortIndicator();
}

void GridWindow::showRows() {
    const GridController::Cell at = lastCell_;
    bindModel();
    if (grid_.model() && at.row < grid_.model()->rowCount())
        table_->setCurrentIndex(grid_.model()->index(at.row, at.column));
}

void GridWindow::fitColumns() {
    // From the heading and the rows of the first page: fetching more only to measure would
    // cost a large table its lazy paging.
    GridModel* model = grid_.model();
    fittedColumns_ = model->source().columnNames();
    const QFontMetrics cells(table_->font());
    const QFontMetrics heading(table_->horizontalHeader()->font());
    const int rows = std::min(model->rowCount(), GridModel::pageSize);
    for (int c = 0; c < model->columnCount(); ++c) {
        int width = heading.horizontalAdvance(fittedColumns_[c]) + 24;
        for (int r = 0; r < rows; ++r)
            width = std::max(
                width, cells.horizontalAdvance(model->data(model->index(r, c)).toString()) + 12);
        table_->setColumnWidth(c, std::clamp(width, narrowestColumn, widestColumn));
    }
}

void GridWindow::showSortIndicator() {
    QHeaderView* header = table_->horizontalHeader();
    const auto key = grid_.primarySortKey();
    header->setSortIndicatorShown(key.has_value());
    if (key)
        header->setSortIndicator(key->column,
                                 key->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void GridWindow::headerClicked(int column) {
    const auto key = grid_.primarySortKey();
    bool sorted = false;
    // A second click on the column the grid is sorted by turns the order round.
    if (grid_.sortMode != GridController::SortMode::None && key && key->alone &&
        key->column == column)
        sorted = grid_.sortBy(column, !key->descending);
    else
        sorted = grid_.headerClicked(column);
    if (sorted)
        showRows();
    else
        showSortIndicator(); // the header turned its mark on the click; put it back
}

QString GridWindow::counterText() const {
    const QModelIndex current = table_->currentIndex();
    return grid_.recordCounter(current.isValid() ? current.row() + 1 : 1);
}

int GridWindow::currentColumn() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.column() : 0;
}

GridController::Cell GridWindow::currentCell() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? GridController::Cell{current.row(), current.column()}
                             : GridController::Cell{0, 0};
}

std::vector<GridWindow*> GridWindow::openGrids() {
    std::vector<GridWindow*> grids{this};
    for (GridWindow* other : window()->findChildren<GridWindow*>())
        if (other != this && other->grid_.model())
            grids.push_back(other);
    return grids;
}

std::vector<int> GridWindow::visibleColumns() const {
    std::vector<int> columns;
    for (int c = 0; grid_.model() && c < grid_.model()->columnCount(); ++c)
        if (!table_->isColumnHidden(c))
            columns.push_back(c);
    return columns;
}

void GridWindow::showCell(GridController::Cell cell) {
    if (!grid_.model())
        return;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget())
        if (auto* child = qobject_cast<QMdiSubWindow*>(w)) {
            if (child->mdiArea())
                child->mdiArea()->setActiveSubWindow(child);
            break;
        }
    table_->setColumnHidden(cell.column, false);
    table_->setCurrentIndex(grid_.model()->index(cell.row, cell.column));
    table_->scrollTo(table_->currentIndex());
    table_->setFocus();
}

std::pair<int, int> GridWindow::selectedColumnRange() const {
    int first = INT_MAX, last = -1;
    const QItemSelectionModel* selection = table_->selectionModel();
    for (const QModelIndex& i : selection ? selection->selectedIndexes() : QModelIndexList()) {
        first = std::min(first, i.column());
        last = std::max(last, i.column());
    }
    return last < 0 ? std::pair{currentColumn(), currentColumn()} : std::pair{first, last};
}

std::vector<int> GridWindow::selectedRows() const {
    std::set<int> rows;
    const QItemSelectionModel* selection = table_->selectionModel();
    for (const QModelIndex& i : selection ? selection->selectedIndexes() : QModelIndexList())
        rows.insert(i.row());
    return rows.size() > 1 ? std::vector<int>(rows.begin(), rows.end()) : std::vector<int>{};
}

GridFindWindow* GridWindow::findWindow() {
    if (!find_)
        find_ = new GridFindWindow(*this, dialogs_);
    return find_;
}

std::vector<int> GridWindow::columnWidths() const {
    std::vector<int> widths;
    for (int c = 0; grid_.model() && c < grid_.model()->columnCount(); ++c)
        widths.push_back(table_->isColumnHidden(c) ? GridFiles::hidden : table_->columnWidth(c));
    return widths;
}

void GridWindow::buildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    const auto item = [this](QMenu* menu, const QString& text, auto slot, QKeySequence keys = {}) {
        QAction* a = menu->addAction(text, this, slot);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        // A shortcut of a menu's action alone is live only while the menu bar has the focus;
        // the window's own copy makes it work wherever the focus is in this grid window.
        if (!keys.isEmpty())
            addAction(a);
        return a;
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    item(
        file, QStringLiteral("ReQuery"),
        [this] {
            if (grid_.requery())
                bindModel();
        },
        QKeySequence::Refresh);
    item(file, QStringLiteral("&Load new grid"), [this] {
        const auto table =
            dialogs_.input(Dialogs::title(), QStringLiteral("Give table name or SQL statement"),
                           GridController::tableOf(grid_.statement()));
        if (!table || table->trimmed().isEmpty())
            return;
        const QString text = table->trimmed();
        const bool statement = text.startsWith(QStringLiteral("SELECT "), Qt::CaseInsensitive);
        emit openGridRequested(
            statement ? text : QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(text),
            QStringLiteral("View/") + text);
    });
    item(file, QStringLiteral("Open SQL..."), [this] {
        const auto path =
            dialogs_.openFile(QStringLiteral("Open SQL"), QStringLiteral("SQL files (*.sql)|*.sql"),
                              folders_.userFolder);
        if (!path || path->isEmpty())
            return;
        if (const auto text = GridFiles::readSql(*path))
            emit openGridRequested(*text,
                                   QStringLiteral("SQL/") + QFileInfo(*path).completeBaseName());
        else
            dialogs_.message(MessageKind::Critical, QStringLiteral("Error in opening ") + *path);
    });
    item(file, QStringLiteral("Save As Filter..."), [this] {
        QString created;
        GridViewSaver(session_, dialogs_)
            .saveAsFilter(grid_.statement(), grid_.name(), grid_.model()->rowCount(), &created);
        if (!created.isEmpty())
            sql_->setText(created);
    });
    item(file, QStringLiteral("Save As Query..."), [this] {
        QString created;
        GridViewSaver(session_, dialogs_)
            .saveAsQuery(grid_.statement(), grid_.name(), grid_.model()->rowCount(), &created);
        if (!created.isEmpty())
            sql_->setText(created);
    });
    item(file, QStringLiteral("Save SQL..."), [this] { saveSql(); });
    item(file, QStringLiteral("As xls for MapInfo"), [this] {
        if (const auto rows = grid_.target().allRows())
            MapInfoExport(dialogs_, &status_).run(*rows, grid_.name(), folders_.userFolder);
    });
    item(file, QStringLiteral("As Google Earth *.kml file"), [this] { exportKml(); });
    item(file, QStringLiteral("Save Column View"), [this] { saveColumnView(false); });
    item(file, QStringLiteral("Save Column View As..."), [this] { saveColumnView(true); });
    item(file, QStringLiteral("Open Column View..."), [this] { openColumnView(); });
    file->addSeparator();
    item(
        file, QStringLiteral("&Close"), [this] { emit closeRequested(); }, QKeySequence::Close);

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    item(
        edit, QStringLiteral("Copy"), [this] { copySelection(); }, QKeySequence::Copy);
    item(
        edit, QStringLiteral("Find..."),
        [this] { findWindow()->showFor(GridSearch::Scope::ActiveGrid); }, QKeySequence::Find);
    item(
        edit, QStringLiteral("Find and Replace"),
        [this] {
            findWindow()->showFor(GridSearch::Scope::ActiveGrid);
            findWindow()->replaceWith()->setFocus();
        },
        QKeySequence::Replace);
    item(edit, QStringLiteral("Edit SQL Query..."), [this] {
        if (!session_.connection())
            return;
        GridQueryEditor editor(*session_.connection(), dialogs_);
        const QString name = GridQueryEditor::queryName(grid_.caption());
        const auto stored = editor.definition(name);
        if (!stored) {
            dialogs_.message(MessageKind::Information,
                             QStringLiteral("This grid does not show a stored query."));
            return;
        }
        const auto text = SqlClauseDialog::edit(*stored, dialogs_, geometry_, this);
        if (text && editor.store(name, *text) && grid_.requery())
            bindModel();
    });
    item(edit, QStringLiteral("Paste to Cell"), [this] {
        const QModelIndex cell = table_->currentIndex();
        if (cell.isValid())
            grid_.model()->setData(cell, QApplication::clipboard()->text().trimmed());
    });
    item(edit, QStringLiteral("&Add"), [this] {
        if (grid_.addRecord())
            bindModel();
    });
    item(edit, QStringLiteral("&UpDate"), [this] {
        if (grid_.requery())
            bindModel();
    });
    item(edit, QStringLiteral("&Select All"), [this] {
        status_.showStatus(QStringLiteral("Selecting...."), 1);
        table_->selectAll();
        status_.showStatus(QString(), 0);
    });
    item(edit, QStringLiteral("&Go to Column..."), [this] {
        const auto name =
            dialogs_.input(Dialogs::title(), QStringLiteral("Give column name"), QString());
        const QStringList& columns = grid_.model()->source().columnNames();
        for (int c = 0; name && c < columns.size(); ++c)
            if (columns[c].compare(name->trimmed(), Qt::CaseInsensitive) == 0) {
                table_->setColumnHidden(c, false);
                table_->setCurrentIndex(
                    grid_.model()->index(std::max(0, table_->currentIndex().row()), c));
                table_->scrollTo(table_->currentIndex());
                return;
            }
    });
    item(edit, QStringLiteral("&Hide column"), [this] { table_->hideColumn(currentColumn()); });
    item(edit, QStringLiteral("&Show all"), [this] {
        for (int c = 0; c < grid_.model()->columnCount(); ++c)
            table_->setColumnHidden(c, false);
    });
    item(edit, QStringLiteral("&Copy to ClipData"), [this] {
        if (copyToClipData)
            copyToClipData(grid_.statement());
    });
    item(edit, QStringLiteral("Paste Append"), [this] {
        const GridTarget target = grid_.target();
        afterBulkEdit(GridPaste(target, session_.catalogue(), dialogs_, status_)
                          .append(QApplication::clipboard()->text()) > 0);
    });
    item(edit, QStringLiteral("Paste and Merge"), [this] {
        const GridTarget target = grid_.target();
        GridPaste paste(target, session_.catalogue(), dialogs_, status_);
        paste.setIdColumns(pasteIdColumns_);
        afterBulkEdit(paste.merge(QApplication::clipboard()->text()) > 0);
    });
    item(edit, QStringLiteral("Append to Database"), [this] {
        if (!session_.connection())
            return;
        DatabaseAppend(*session_.connection(), session_.catalogue(), dialogs_, status_)
            .run(QApplication::clipboard()->text(), SettingsReader::systemLoginName(),
                 folders_.userFolder + QStringLiteral("/DataAdded.log"));
        afterBulkEdit(true);
    });
    item(edit, QStringLiteral("Options..."), [this] { pasteOptions(); });
    item(edit, QStringLiteral("&Delete Row"), [this] { deleteSelectedRows(); });
    item(edit, QStringLiteral("&Trim..."), [this] {
        const auto [first, last] = selectedColumnRange();
        afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_).trim(first, last));
    });
    item(edit, QStringLiteral("&Digits..."), [this] {
        const auto [first, last] = selectedColumnRange();
        afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_).digits(first, last));
    });
    item(edit, QStringLiteral("Update row number"), [this] {
        afterBulkEdit(
            GridBulkEdits(grid_.target(), dialogs_, status_).updateRowNumber(currentColumn()));
    });
    item(edit, QStringLiteral("Delete selected records in all tables..."),
         [this] { deleteInAllTables(); });

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    item(tools, QStringLiteral("Statistics..."), [this] { showStatistics(); });
    item(tools, QStringLiteral("Update Column..."), [this] { updateColumn(); });
    for (const auto& [caption, which] :
         {std::pair{"Descriptive statistics...", StatisticsWindow::Descriptive},
          std::pair{"Box && Whisker Graph...", StatisticsWindow::BoxPlot},
          std::pair{"Distribution...", StatisticsWindow::Distribution}})
        item(tools, QString::fromLatin1(caption), [this, which] {
            if (openStatistics)
                openStatistics(which, SqlNames::plain(GridController::tableOf(grid_.statement())));
        });
    item(tools, QStringLiteral("&Show Field properties"), [this] {
        const QModelIndex current = table_->currentIndex();
        const int row = current.isValid() ? current.row() : 0;
        dialogs_.message(MessageKind::Information, grid_.fieldProperties(row, currentColumn()));
    });
    item(tools, QStringLiteral("Display table properties..."),
         [this] { dialogs_.message(MessageKind::Information, grid_.tableProperties()); });
    item(tools, QStringLiteral("&Display  SQL"),
         [this] { dialogs_.message(MessageKind::Information, grid_.statement()); });
    tools->addSeparator();
    item(tools, QStringLiteral("&Calculate FeOTOT"), [this] {
        std::vector<int> rows = selectedRows();
        if (rows.empty() && table_->currentIndex().isValid())
            rows.push_back(table_->currentIndex().row());
        const auto [first, last] = selectedColumnRange();
        afterBulkEdit(GridChemistry(grid_.target(), session_, dialogs_, status_)
                          .calculateFeOTot(rows, first, last));
    });
    item(tools, QStringLiteral("Convert units and oxides..."), [this] {
        const auto [first, last] = selectedColumnRange();
        const bool changed =
            GridChemistry(grid_.target(), session_, dialogs_, status_).convertColumns(first, last);
        if (changed)
            emit schemaChanged();
        afterBulkEdit(changed);
    });
    item(tools, QStringLiteral("Add element content"), [this] {
        const auto [first, last] = selectedColumnRange();
        const bool changed = GridChemistry(grid_.target(), session_, dialogs_, status_)
                                 .addElementContent(first, last);
        if (changed)
            emit schemaChanged();
        afterBulkEdit(changed);
    });
    tools->addSeparator();
    rightToolbar_ = item(tools, QStringLiteral("Right Toolbar"),
                         [this] { buttons_->setVisible(rightToolbar_->isChecked()); });
    rightToolbar_->setCheckable(true);
    rightToolbar_->setChecked(true);
    tools->addSeparator();
    item(tools, QStringLiteral("Make Table..."), [this] {
        QString created;
        if (GridSchemaCommands(session_, dialogs_).makeTable(&created)) {
            AddFieldDialog panel(QStringLiteral("SampleNo"), this);
            if (panel.exec() == QDialog::Accepted)
                GridSchemaCommands(session_, dialogs_).addField(created, panel.request());
        }
        emit schemaChanged();
    });
    item(tools, QStringLiteral("Add Field..."), [this] { addField(QString()); });
    item(tools, QStringLiteral("Delete Field..."), [this] {
        if (!grid_.model())
            return;
        const QString field = grid_.model()->source().columnNames().value(currentColumn());
        if (GridSchemaCommands(session_, dialogs_).deleteField(grid_.target().table, field)) {
            grid_.requery();
            bindModel();
            emit schemaChanged();
        }
    });
    item(tools, QStringLiteral("Delete Table..."), [this] {
        if (GridSchemaCommands(session_, dialogs_).deleteTable(grid_.target().table)) {
            emit schemaChanged();
            emit closeRequested();
        }
    });
}

void GridWindow::buildPopup() {
    popup_->addAction(QStringLiteral("Sort ASC"), this,
                      [this] { sort(GridController::SortMode::Ascending); });
    popup_->addAction(QStringLiteral("Sort DESC"), this,
                      [this] { sort(GridController::SortMode::Descending); });
    QMenu* andSort = popup_->addMenu(QStringLiteral("AND Sort"));
    for (const bool descending : {false, true})
        andSort->addAction(descending ? QStringLiteral("DESC") : QStringLiteral("ASC"), this,
                           [this, descending] {
                               if (grid_.andSort(currentColumn(), descending))
                                   showRows();
                           });
    popup_->addAction(QStringLiteral("NO Sort"), this, [this] {
        grid_.sortMode = GridController::SortMode::None;
        grid_.clearSort();
        showRows();
    });
    popup_->addAction(QStringLiteral("Show sorting info"), this,
                      [this] { dialogs_.message(MessageKind::Information, grid_.sortingInfo()); });
    popup_->addSeparator();
    popup_->addAction(QStringLiteral("Hide Column"), this,
                      [this] { table_->hideColumn(currentColumn()); });
    popup_->addAction(QStringLiteral("Copy"), this, [this] { copySelection(); });
    popup_->addAction(QStringLiteral("Paste"), this, [this] { pasteCells(); });
    popup_->addAction(QStringLiteral("Edit <-> View"), this, [this] { setEditing(!editing_); });
    popup_->addAction(QStringLiteral("Find..."), this,
                      [this] { findWindow()->showFor(GridSearch::Scope::ActiveGrid); });
}

void GridWindow::buildButtons() {
    const auto button = [this](const QString& text, const QString& tip,
                               std::function<void(QToolButton*)> slot) {
        auto* action = new QAction(text, this);
        action->setToolTip(tip);
        QToolButton* b = buttons_->add(action);
        connect(action, &QAction::triggered, this, [slot, b] { slot(b); });
        return action;
    };
    button(QStringLiteral("More"), QStringLiteral("More"),
           [this](QToolButton* b) { popup_->popup(b->mapToGlobal(QPoint(0, b->height()))); });
    button(QStringLiteral("Sync"), QStringLiteral("Synchronize"),
           [this](QToolButton*) { synchronize(); });
    button(QStringLiteral("Cols"), QStringLiteral("Hide/display columns"),
           [this](QToolButton* b) { popUpColumnsMenu(b, false); });
    button(QStringLiteral("Find"), QStringLiteral("Find in grid"),
           [this](QToolButton*) { findWindow()->showFor(GridSearch::Scope::ActiveGrid); });
    button(QStringLiteral("Go"), QStringLiteral("Go to column"),
           [this](QToolButton* b) { popUpColumnsMenu(b, true); });
    button(QStringLiteral("Q.."), QStringLiteral("Add a row in this table"), [this](QToolButton*) {
        if (grid_.addRecord())
            showRows();
    });
    editView_ = button(QStringLiteral("E-V"), QStringLiteral("Edit - View Toggle"),
                       [this](QToolButton*) { setEditing(!editing_); });
    editView_->setCheckable(true);
    editView_->setChecked(editing_);
    button(QStringLiteral("Hide"), QStringLiteral("Hide this right toolbar"), [this](QToolButton*) {
        buttons_->hide();
        rightToolbar_->setChecked(false);
    });
}

void GridWindow::sort(GridController::SortMode mode) {
    grid_.sortMode = mode;
    if (grid_.headerClicked(currentColumn()))
        showRows();
}

void GridWindow::setEditing(bool on) {
    editing_ = on;
    table_->setEditTriggers(on ? QAbstractItemView::DoubleClicked |
                                     QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::AnyKeyPressed
                               : QAbstractItemView::NoEditTriggers);
    editView_->setChecked(on);
}

void GridWindow::popUpColumnsMenu(QWidget* under, bool chooseToGo) {
    if (!grid_.model())
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QStringList& names = grid_.model()->source().columnNames();
    for (int c = 0; c < names.size(); ++c) {
        QAction* a = menu->addAction(names[c]);
        if (chooseToGo) {
            connect(a, &QAction::triggered, this, [this, c] {
                showCell({std::max(0, table_->currentIndex().row()), c});
            });
            continue;
        }
        a->setCheckable(true);
        a->setChecked(!table_->isColumnHidden(c));
        connect(a, &QAction::toggled, this,
                [this, c](bool shown) { table_->setColumnHidden(c, !shown); });
    }
    menu->popup(under->mapToGlobal(QPoint(0, under->height())));
}

void GridWindow::synchronize() {
    // The other grids go to the record with the current record's value in the column of the
    // same name (SampleNo in every table of a sample, say).
    const GridController::Cell at = currentCell();
    const RowSet::Row* row = grid_.model() ? grid_.model()->row(at.row) : nullptr;
    if (!row || at.column >= int(row->size()))
        return;
    const QString field = grid_.model()->source().columnNames()[at.column];
    const QString value = (*row)[size_t(at.column)].toText();
    int moved = 0;
    for (GridWindow* other : openGrids()) {
        if (other == this || value.isEmpty())
            continue;
        const int column = int(other->grid_.model()->source().columnNames().indexOf(field));
        if (column < 0)
            continue;
        if (const auto found = other->grid_.find(value, {column}, true, true, 0)) {
            other->table_->setCurrentIndex(other->grid_.model()->index(found->row, column));
            other->table_->scrollTo(other->table_->currentIndex());
            ++moved;
        }
    }
    if (moved == 0)
        dialogs_.message(MessageKind::Information,
                         QStringLiteral("No other grid shows a record with ") + field +
                             QStringLiteral(" = ") + value);
}

void GridWindow::pasteCells() {
    GridModel* model = grid_.model();
    const QModelIndex start = table_->currentIndex();
    if (!model || !start.isValid())
        return;
    QString text = QApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int r = 0; r < lines.size() && start.row() + r < model->rowCount(); ++r) {
        const QStringList cells = lines[r].split(QLatin1Char('\t'));
        for (int c = 0; c < cells.size() && start.column() + c < model->columnCount(); ++c)
            if (!model->setData(model->index(start.row() + r, start.column() + c), cells[c]))
                return; // the writer said why
    }
}

void GridWindow::pasteOptions() {
    const auto typed =
        dialogs_.input(QStringLiteral("Options"),
                       QStringLiteral("ID columns that Paste and Merge matches records by, in "
                                      "order (comma between)"),
                       pasteIdColumns_.join(QStringLiteral(", ")));
    if (!typed)
        return;
    QStringList names;
    for (const QString& name : typed->split(QLatin1Char(',')))
        if (!name.trimmed().isEmpty())
            names << name.trimmed();
    if (!names.isEmpty())
        pasteIdColumns_ = names;
}

void GridWindow::showStatistics() {
    const auto rows = grid_.target().allRows();
    if (!rows)
        return;
    const auto [first, last] = selectedColumnRange();
    std::vector<int> columns;
    for (int c = first; c <= last; ++c)
        if (!table_->isColumnHidden(c))
            columns.push_back(c);
    const std::vector<int> records = selectedRows();
    const qsizetype count = records.empty() ? rows->rowCount() : qsizetype(records.size());
    auto* window =
        new GridStatisticsWindow(GridColumnStatistics::table(*rows, columns, records), this);
    window->setWindowTitle(
        QStringLiteral("Statistics of ") + grid_.name() +
        (records.empty() ? QStringLiteral(": all ") : QStringLiteral(": selected ")) +
        QString::number(count) + QStringLiteral(" records"));
    window->show();
}

void GridWindow::deleteSelectedRows() {
    std::set<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes())
        rows.insert(i.row());
    if (rows.empty() && table_->currentIndex().isValid())
        rows.insert(table_->currentIndex().row());
    afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_)
                      .deleteRows(std::vector<int>(rows.begin(), rows.end())));
}

void GridWindow::deleteInAllTables() {
    std::set<int> rows, columns;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes()) {
        rows.insert(i.row());
        columns.insert(i.column());
    }
    QStringList names;
    for (int c : columns)
        names << grid_.model()->source().columnNames().value(c);
    afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_)
                      .deleteInAllTables(names, std::vector<int>(rows.begin(), rows.end()),
                                         session_.catalogue()));
}

void GridWindow::exportKml() {
    // Kept for the whole run, so the next export starts from the last choice.
    static KmlSettings settings;
    const QStringList& columns = grid_.model()->source().columnNames();
    KmlSettingsForm form(columns, settings);
    if (KmlSettingsDialog(form, dialogs_, this).exec() != QDialog::Accepted)
        return;
    RowSet selected(columns);
    std::set<int> seen;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes()) {
        if (!seen.insert(i.row()).second)
            continue;
        if (const RowSet::Row* row = grid_.model()->row(i.row()))
            selected.appendRow(*row);
    }
    std::vector<bool> visible;
    for (int c = 0; c < int(columns.size()); ++c)
        visible.push_back(!table_->isColumnHidden(c));
    KmlExport(dialogs_, &status_)
        .run(selected, visible, settings, grid_.caption(), folders_.userFolder);
}

ColumnUpdateDialog* GridWindow::updateColumn() {
    auto* dialog = new ColumnUpdateDialog(grid_.target(), grid_.model()->source().columnNames(),
                                          dialogs_, status_, geometry_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this, dialog] { afterBulkEdit(dialog->changed()); });
    dialog->open();
    return dialog;
}

void GridWindow::afterBulkEdit(bool changed) {
    if (changed && grid_.requery())
        bindModel();
}

void GridWindow::saveSql() {
    const auto path =
        dialogs_.saveFile(QStringLiteral("Save SQL"), QStringLiteral("SQL files (*.sql)|*.sql"),
                          GridFiles::sqlPath(folders_.userFolder, grid_.name()));
    QString error;
    if (path && !GridFiles::saveSql(*path, grid_.statement(), columnWidths(), &error))
        dialogs_.message(MessageKind::Exclamation, error);
}

void GridWindow::saveColumnView(bool choosePath) {
    std::optional<QString> path = GridFiles::columnViewPath(folders_.appPath, grid_.name());
    if (choosePath)
        path = dialogs_.saveFile(
            QStringLiteral("Save Column View As"), QStringLiteral("Ini files (*.ini)|*.ini"),
            folders_.appPath + QStringLiteral("/views/") + grid_.name() + QStringLiteral(".ini"));
    QString error;
    if (path && !GridFiles::saveColumnView(*path, columnWidths(), &error))
        dialogs_.message(MessageKind::Exclamation, error);
}

void GridWindow::openColumnView() {
    const auto path = dialogs_.openFile(QStringLiteral("Open Column View"),
                                        QStringLiteral("Ini files (*.ini)|*.ini"),
                                        folders_.appPath + QStringLiteral("/views/"));
    if (path)
        applyColumnView(*path);
}

void GridWindow::applyColumnView(const QString& path) {
    if (!grid_.model())
        return;
    for (const auto& [column, width] :
         GridFiles::readColumnView(path, grid_.model()->columnCount())) {
        table_->setColumnHidden(column, width == GridFiles::hidden);
        if (width > 0)
            table_->setColumnWidth(column, width);
    }
}

void GridWindow::addField(const QString& suggested) {
    AddFieldDialog panel(suggested, this);
    if (panel.exec() != QDialog::Accepted)
        return;
    if (GridSchemaCommands(session_, dialogs_).addField(grid_.target().table, panel.request())) {
        grid_.requery();
        bindModel();
        emit schemaChanged();
    }
}

void GridWindow::copySelection() const {
    QModelIndexList cells = table_->selectionModel()->selectedIndexes();
    std::sort(cells.begin(), cells.end());
    QString text;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += cells[i].row() == cells[i - 1].row() ? QStringLiteral("\t")
                                                         : QStringLiteral("\r\n");
        text += cells[i].data(Qt::EditRole).toString(); // whole numbers, not as shown
    }
    QApplication::clipboard()->setText(text);
}
