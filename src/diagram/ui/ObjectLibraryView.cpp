#include "diagram/ui/ObjectLibraryView.h"

#include "app/ui/DialogPlace.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

ObjectLibraryView::ObjectLibraryView(ObjectLibraryBrowser* browser, const WindowGeometry* geometry,
                                     QWidget* parent)
    : QDialog(parent)
    , browser_(browser)
    , geometry_(geometry) {
    setWindowTitle(ObjectLibraryBrowser::caption());
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 480);

    tabs_ = new QTabBar(this);
    for (LibraryKind k : LibraryKinds::all)
        tabs_->addTab(LibraryKinds::caption(k));

    chartType_ = new QComboBox(this);
    chartType_->addItems({QStringLiteral("XY"), QStringLiteral("Tri"), QStringLiteral("Spider")});
    chartType_->setCurrentText(browser_->listing.chartType);

    auto* conditions = new QGridLayout;
    conditions->addWidget(new QLabel(QStringLiteral("Chart type:"), this), 0, 0);
    conditions->addWidget(chartType_, 0, 1);
    for (int i = 0; i < 2; ++i) {
        columns_[size_t(i)] = new QComboBox(this);
        columns_[size_t(i)]->setEditable(true);
        values_[size_t(i)] = new QLineEdit(this);
        conditions->addWidget(columns_[size_t(i)], i + 1, 0);
        conditions->addWidget(values_[size_t(i)], i + 1, 1);
    }
    join_ = new QPushButton(QStringLiteral("AND"), this);
    conditions->addWidget(join_, 1, 2, 2, 1);

    grid_ = new QTableWidget(this);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* buttons = new QHBoxLayout;
    auto* draw = new QPushButton(QStringLiteral("&Draw"), this);
    nodes_ = new QPushButton(QStringLiteral("&Nodes"), this);
    edit_ = new QPushButton(QStringLiteral("&Edit"), this);
    add_ = new QPushButton(QStringLiteral("&Add"), this);
    delete_ = new QPushButton(QStringLiteral("D&elete"), this);
    password_ = new QPushButton(QStringLiteral("Pass&word..."), this);
    auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    for (QPushButton* b : {draw, nodes_, edit_, add_, delete_, password_, refresh, close})
        buttons->addWidget(b);

    auto* menus = new QMenuBar(this);
    QMenu* sort = menus->addMenu(QStringLiteral("&Sort"));
    const auto listed = [this](auto action) {
        return [this, action] {
            if (action())
                fill();
        };
    };
    ObjectLibraryBrowser& b = *browser_;
    sort->addAction(QStringLiteral("Ascending..."), this,
                    listed([&b] { return b.askSort(false); }));
    sort->addAction(QStringLiteral("Descending..."), this,
                    listed([&b] { return b.askSort(true); }));
    menus->addAction(QStringLiteral("Find"), this, listed([&b] { return b.askFind(); }));
    menus->addAction(QStringLiteral("Set Filter condition"), this,
                     listed([&b] { return b.askFilter(); }));
    menus->addAction(QStringLiteral("No filter"), this, listed([&b] { return b.clearFilter(); }));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addWidget(tabs_);
    layout->addLayout(conditions);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    connect(tabs_, &QTabBar::currentChanged, this, [this](int i) {
        browser_->setKind(LibraryKinds::all[size_t(i)]);
        fill();
    });
    connect(join_, &QPushButton::clicked, this, [this] {
        browser_->listing.orJoined = !browser_->listing.orJoined;
        join_->setText(browser_->listing.orJoined ? QStringLiteral("OR") : QStringLiteral("AND"));
    });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row) { browser_->selected = row; });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (browser_->showingNodes() || column < 0 || column >= browser_->rows().columnCount())
            return;
        const QString name = browser_->rows().columnNames()[column];
        ObjectLibraryBrowser& b = *browser_;
        b.listing.descending = b.listing.sortColumn == name && !b.listing.descending;
        b.listing.sortColumn = name;
        b.refresh();
        fill();
    });
    connect(draw, &QPushButton::clicked, this, [this] {
        if (browser_->draw())
            emit drawn();
    });
    connect(nodes_, &QPushButton::clicked, this, [this] {
        if (browser_->showingNodes() ? browser_->backToList() : browser_->showNodes())
            fill();
    });
    connect(edit_, &QPushButton::clicked, this, [this] {
        browser_->toggleEdit();
        fill();
    });
    connect(add_, &QPushButton::clicked, this, [this] {
        if (browser_->addFromFigure())
            fill();
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        if (browser_->deleteSelected())
            fill();
    });
    connect(password_, &QPushButton::clicked, this, [this] { browser_->changePassword(); });
    connect(refresh, &QPushButton::clicked, this, [this] {
        readConditions();
        browser_->refresh();
        fill();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    DialogPlace::restore(*this, geometry_, QStringLiteral("ObjSelain"));
}

ObjectLibraryView::~ObjectLibraryView() = default;

void ObjectLibraryView::done(int result) {
    DialogPlace::save(*this, geometry_, QStringLiteral("ObjSelain"));
    QDialog::done(result);
}

void ObjectLibraryView::showKind(LibraryKind kind) {
    const int index = int(std::find(LibraryKinds::all.begin(), LibraryKinds::all.end(), kind) -
                          LibraryKinds::all.begin());
    if (tabs_->currentIndex() == index) {
        browser_->setKind(kind);
        fill();
    } else {
        tabs_->setCurrentIndex(index); // lists through currentChanged
    }
}

void ObjectLibraryView::readConditions() {
    browser_->listing.chartType = chartType_->currentText();
    browser_->listing.first = {columns_[0]->currentText().trimmed(), values_[0]->text()};
    browser_->listing.second = {columns_[1]->currentText().trimmed(), values_[1]->text()};
}

void ObjectLibraryView::fill() {
    const int keep = browser_->selected; // clearing the grid moves its current cell
    const RowSet& rows = browser_->rows();
    grid_->clear();
    grid_->setColumnCount(rows.columnCount());
    grid_->setRowCount(int(rows.rowCount()));
    grid_->setHorizontalHeaderLabels(rows.columnNames());
    for (qsizetype r = 0; r < rows.rowCount(); ++r)
        for (int c = 0; c < rows.columnCount(); ++c)
            grid_->setItem(int(r), c, new QTableWidgetItem(rows.at(r, c).toText()));
    if (!browser_->showingNodes())
        for (QComboBox* box : columns_) {
            const QString typed = box->currentText();
            box->clear();
            box->addItem(QString());
            box->addItems(rows.columnNames());
            box->setCurrentText(typed);
        }
    browser_->selected = keep;
    if (keep >= 0)
        grid_->selectRow(keep);
    nodes_->setText(browser_->showingNodes() ? QStringLiteral("&Polygon")
                                             : QStringLiteral("&Nodes"));
    nodes_->setEnabled(browser_->kind() == LibraryKind::Polygon);
    edit_->setText(browser_->editing() ? QStringLiteral("&View") : QStringLiteral("&Edit"));
    delete_->setEnabled(browser_->editing());
    add_->setEnabled(browser_->editing() && (browser_->kind() == LibraryKind::Polygon ||
                                             browser_->kind() == LibraryKind::Trendline));
    password_->setVisible(browser_->editing());
}
