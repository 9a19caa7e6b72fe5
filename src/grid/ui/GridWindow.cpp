#include "grid/ui/GridWindow.h"

#include "app/SettingsReader.h"
#include "db/SessionDatabase.h"
#include "export/KmlExport.h"
#include "export/ui/KmlSettingsDialog.h"
#include "grid/DatabaseAppend.h"
#include "grid/GridBulkEdits.h"
#include "grid/GridColumnStatistics.h"
#include "grid/GridFiles.h"
#include "grid/GridFindReplace.h"
#include "grid/GridPaste.h"
#include "grid/GridQueryEditor.h"
#include "grid/GridSchemaCommands.h"
#include "grid/GridViewSaver.h"
#include "grid/MapInfoExport.h"
#include "grid/ui/AddFieldDialog.h"
#include "platform/Dialogs.h"
#include "platform/JetSqlQuoting.h"
#include "platform/Status.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QVBoxLayout>
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
    , counter_(new QLabel) {
    setWindowTitle(QStringLiteral("View"));
    sql_->setReadOnly(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectItems);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(sql_);
    layout->addWidget(table_, 1);
    layout->addWidget(counter_);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (grid_.headerClicked(column))
            bindModel();
    });
    buildMenus();
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
                [this] { counter_->setText(counterText()); });
}

QString GridWindow::counterText() const {
    const QModelIndex current = table_->currentIndex();
    return grid_.recordCounter(current.isValid() ? current.row() + 1 : 1);
}

int GridWindow::currentColumn() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? current.column() : 0;
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
            MapInfoExport(dialogs_).run(*rows, grid_.name(), folders_.userFolder);
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
        edit, QStringLiteral("Find..."), [this] { find(); }, QKeySequence::Find);
    item(
        edit, QStringLiteral("Find and Replace"),
        [this] {
            const auto what =
                dialogs_.input(Dialogs::title(), QStringLiteral("Find what:"), QString());
            if (!what || what->isEmpty())
                return;
            const auto with =
                dialogs_.input(Dialogs::title(), QStringLiteral("Replace with:"), QString());
            if (!with)
                return;
            GridFindReplace(grid_, dialogs_)
                .replaceAll(*what, *with, {{currentColumn()}, false, false});
            bindModel();
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
        bool ok = false;
        const QString text =
            QInputDialog::getMultiLineText(this, QStringLiteral("SQL-clause"), name, *stored, &ok);
        if (ok && editor.store(name, text) && grid_.requery())
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
        afterBulkEdit(GridPaste(target, session_.catalogue(), dialogs_, status_)
                          .merge(QApplication::clipboard()->text()) > 0);
    });
    item(edit, QStringLiteral("Append to Database"), [this] {
        if (!session_.connection())
            return;
        DatabaseAppend(*session_.connection(), session_.catalogue(), dialogs_, status_)
            .run(QApplication::clipboard()->text(), SettingsReader::systemLoginName(),
                 folders_.userFolder + QStringLiteral("/DataAdded.log"));
        afterBulkEdit(true);
    });
    item(edit, QStringLiteral("&Delete Row"), [this] { deleteSelectedRows(); });
    item(edit, QStringLiteral("&Trim..."), [this] {
        const int c = currentColumn();
        afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_).trim(c, c));
    });
    item(edit, QStringLiteral("&Digits..."), [this] {
        const int c = currentColumn();
        afterBulkEdit(GridBulkEdits(grid_.target(), dialogs_, status_).digits(c, c));
    });
    item(edit, QStringLiteral("Update row number"), [this] {
        afterBulkEdit(
            GridBulkEdits(grid_.target(), dialogs_, status_).updateRowNumber(currentColumn()));
    });
    item(edit, QStringLiteral("Delete selected records in all tables..."),
         [this] { deleteInAllTables(); });

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    item(tools, QStringLiteral("Statistics..."), [this] { showStatistics(); });
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

    // The grid's pop-up menu.
    const auto popup = [this](const QString& text, auto slot) {
        auto* a = new QAction(text, table_);
        connect(a, &QAction::triggered, this, slot);
        table_->addAction(a);
    };
    popup(QStringLiteral("Sort ASC"), [this] { sort(GridController::SortMode::Ascending); });
    popup(QStringLiteral("Sort DESC"), [this] { sort(GridController::SortMode::Descending); });
    popup(QStringLiteral("AND Sort ASC"), [this] {
        if (grid_.andSort(currentColumn(), false))
            bindModel();
    });
    popup(QStringLiteral("AND Sort DESC"), [this] {
        if (grid_.andSort(currentColumn(), true))
            bindModel();
    });
    popup(QStringLiteral("NO Sort"), [this] {
        grid_.sortMode = GridController::SortMode::None;
        grid_.clearSort();
        bindModel();
    });
    popup(QStringLiteral("Show sorting info"),
          [this] { dialogs_.message(MessageKind::Information, grid_.sortingInfo()); });
    popup(QStringLiteral("Hide Column"), [this] { table_->hideColumn(currentColumn()); });
    popup(QStringLiteral("Copy"), [this] { copySelection(); });
}

void GridWindow::sort(GridController::SortMode mode) {
    grid_.sortMode = mode;
    if (grid_.headerClicked(currentColumn()))
        bindModel();
}

void GridWindow::find() {
    const auto text = dialogs_.input(Dialogs::title(), QStringLiteral("Find what:"), QString());
    if (!text || text->isEmpty())
        return;
    const QModelIndex current = table_->currentIndex();
    const int from = current.isValid() ? current.row() + 1 : 0;
    const auto found = grid_.find(*text, {currentColumn()}, false, false, from);
    if (!found) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No matching records"));
        return;
    }
    table_->setCurrentIndex(grid_.model()->index(*found, currentColumn()));
    table_->setFocus();
}

void GridWindow::showStatistics() {
    const auto rows = grid_.target().allRows();
    if (!rows)
        return;
    const int c = currentColumn();
    dialogs_.message(MessageKind::Information,
                     QStringLiteral("Statistics of ") + rows->columnNames().value(c) +
                         QStringLiteral("\r\n") +
                         GridColumnStatistics::lines(*rows, c).join(QStringLiteral("\r\n")));
}

void GridWindow::deleteSelectedRows() {
    std::set<int> rows;
    for (const QModelIndex& i : table_->selectionModel()->selectedIndexes())
        rows.insert(i.row());
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
    KmlExport(dialogs_).run(selected, visible, settings, grid_.caption(), folders_.userFolder);
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
        text += cells[i].data().toString();
    }
    QApplication::clipboard()->setText(text);
}
