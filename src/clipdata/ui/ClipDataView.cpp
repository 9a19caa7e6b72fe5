#include "clipdata/ui/ClipDataView.h"

#include "clipdata/ClipDataWindow.h"
#include "platform/qt/SheetTableModel.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

ClipDataView::ClipDataView(ClipDataWindow& window, QWidget* parent)
    : QWidget(parent)
    , window_(window) {
    setWindowTitle(ClipDataWindow::caption());
    pages_ = new QTabBar(this);
    pages_->setExpanding(false);
    pages_->setShape(QTabBar::RoundedSouth);
    table_ = new QTableView(this);
    model_ = new SheetTableModel(&window_.sheet().activePage(), this);
    table_->setModel(model_);
    keys_ = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addWidget(pages_);
    layout->addWidget(keys_);
    buildMenus();
    connect(pages_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && window_.sheet().setActivePage(index + 1))
            model_->setSheet(&window_.sheet().activePage());
    });
    connect(table_, &QTableView::clicked, this,
            [this](const QModelIndex& cell) { window_.rowClicked(cell.row() + 1); });
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        window_.markKey(column + 1);
        showKeys();
    });
    refresh();
}

void ClipDataView::buildMenus() {
    auto* bar = new QMenuBar(this);
    ClipDataWindow& w = window_;
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this,
                    [this, &w] { act([&w] { return w.files().Open(); }); });
    file->addAction(QStringLiteral("&Save..."), QKeySequence::Save, this,
                    [this, &w] { act([&w] { return w.files().Save(); }); });
    file->addAction(QStringLiteral("Reopen last file"), this,
                    [this, &w] { act([&w] { return w.files().Reopen(); }); });
    file->addAction(QStringLiteral("&New"), QKeySequence::New, this,
                    [this, &w] { act([&w] { return w.files().New(); }); });
    file->addAction(QStringLiteral("New page"), this, [this, &w] {
        act([&w] {
            w.sheet().addPage();
            return true;
        });
    });
    file->addAction(QStringLiteral("Open statement file..."), this,
                    [this, &w] { act([&w] { return w.openStatementFile(); }); });
    file->addAction(QStringLiteral("Load tables from database..."), this,
                    &ClipDataView::tableLoaderRequested);
    file->addSeparator();
    file->addAction(QStringLiteral("Add table in database..."), this,
                    [this, &w] { act([&w] { return w.makeTable(); }); });
    file->addAction(QStringLiteral("Create new database with the table..."), this,
                    [this, &w] { act([&w] { return w.makeTableInNewDatabase(); }); });

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->addAction(QStringLiteral("Parse..."), this,
                     [this, &w] { act([&w] { return w.tools().Parse(); }); });
    tools->addAction(QStringLiteral("Column naming..."), this, [this, &w] {
        const int column = std::max(1, table_->currentIndex().column() + 1);
        act([&w, column] { return w.tools().NameColumn(column); });
    });
    tools->addAction(QStringLiteral("Row to column header..."), this,
                     [this, &w] { act([&w] { return w.tools().TransferHeaderRow(); }); });
    tools->addAction(QStringLiteral("Add to column header..."), this,
                     [this, &w] { act([&w] { return w.tools().AppendToHeaderRow(); }); });
    tools->addAction(QStringLiteral("Create ID column"), this, [this, &w] {
        act([&w] {
            w.tools().CreateIdColumn();
            return true;
        });
    });
    tools->addAction(QStringLiteral("Copy down"), this, [this, &w] {
        const auto s = selection();
        act([&w, s] { return w.tools().CopyDown(s[0], s[1], s[2], s[3]); });
    });
    tools->addAction(QStringLiteral("Copy right"), this, [this, &w] {
        const auto s = selection();
        act([&w, s] { return w.tools().CopyRight(s[0], s[1], s[2], s[3]); });
    });
    tools->addAction(QStringLiteral("Launch Linked"), this,
                     [this, &w] { w.launchLinked(table_->currentIndex().row() + 1); });
    tools->addAction(QStringLiteral("Zoom..."), this, [this, &w] {
        if (w.tools().Zoom()) {
            QFont font = table_->font();
            font.setPointSizeF(9.0 * w.tools().zoom() / 100.0);
            table_->setFont(font);
        }
    });
    static_cast<QVBoxLayout*>(QWidget::layout())->setMenuBar(bar);
}

void ClipDataView::act(const std::function<bool()>& action) {
    action();
    refresh();
}

std::array<int, 4> ClipDataView::selection() const {
    const QModelIndexList cells = table_->selectionModel()->selectedIndexes();
    if (cells.isEmpty()) {
        const QModelIndex c = table_->currentIndex();
        return {c.row() + 1, c.column() + 1, c.row() + 1, c.column() + 1};
    }
    std::array<int, 4> s{cells[0].row() + 1, cells[0].column() + 1, cells[0].row() + 1,
                         cells[0].column() + 1};
    for (const QModelIndex& i : cells) {
        s[0] = std::min(s[0], i.row() + 1);
        s[1] = std::min(s[1], i.column() + 1);
        s[2] = std::max(s[2], i.row() + 1);
        s[3] = std::max(s[3], i.column() + 1);
    }
    return s;
}

void ClipDataView::refresh() {
    ClipDataSheet& sheet = window_.sheet();
    const QSignalBlocker block(pages_);
    while (pages_->count() > 0)
        pages_->removeTab(0);
    for (int i = 1; i <= sheet.pageCount(); ++i)
        pages_->addTab(sheet.workbook().sheetName(i));
    pages_->setCurrentIndex(sheet.activePageIndex() - 1);
    model_->setSheet(&sheet.activePage());
    showKeys();
}

void ClipDataView::showKeys() {
    QStringList marked;
    for (int column : window_.tableMaker().keyColumns())
        marked << SheetTableModel::columnLetters(column);
    keys_->setText(marked.isEmpty()
                       ? QStringLiteral("Click column headings to mark the key fields")
                       : QStringLiteral("Key fields: ") + marked.join(QStringLiteral(", ")));
}
