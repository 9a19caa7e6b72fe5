#include "app/ui/OpenDatabaseDialog.h"

#include "app/WindowGeometry.h"
#include "db/TableLinker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
struct DatabaseType {
    const char* caption;
    const char* filter; // empty: a server data source typed in the box
};
const DatabaseType databaseTypes[] = {
    {"SQLite database", "SQLite database (*.sqlite *.db *.sqlite3 *.db3)"},
    {"Microsoft Access", "Access database (*.mdb)"},
    {"Borland DBase", "dBase table (*.dbf)"},
    {"PostgreSQL server", ""},
};
} // namespace

OpenDatabaseDialog::OpenDatabaseDialog(const QStringList& recent, const WindowGeometry& geometry,
                                       QWidget* parent, TableLinker* linker)
    : QDialog(parent)
    , geometry_(geometry)
    , pages_(new QTabWidget)
    , recent_(new QListWidget)
    , types_(new QComboBox)
    , path_(new QLineEdit)
    , map_(new QCheckBox(QStringLiteral("Map database")))
    , linker_(linker) {
    setWindowTitle(QStringLiteral("Open Database"));
    for (const QString& path : recent)
        if (!path.isEmpty())
            recent_->addItem(path);
    if (recent_->count() > 0)
        recent_->setCurrentRow(0);
    connect(recent_, &QListWidget::itemActivated, this, &QDialog::accept);

    for (const DatabaseType& t : databaseTypes)
        types_->addItem(QString::fromUtf8(t.caption));
    path_->setPlaceholderText(
        QStringLiteral("file, or service=… / host=… dbname=… / postgresql://…"));
    auto* browseButton = new QPushButton(QStringLiteral("Browse"));
    connect(browseButton, &QPushButton::clicked, this, &OpenDatabaseDialog::browse);
    connect(types_, &QComboBox::currentIndexChanged, this, [this, browseButton](int i) {
        browseButton->setEnabled(*databaseTypes[i].filter != '\0');
    });
    auto* browsePage = new QWidget;
    auto* form = new QFormLayout(browsePage);
    form->addRow(QStringLiteral("Database type"), types_);
    form->addRow(QStringLiteral("Database"), path_);
    form->addRow(QString(), browseButton);

    pages_->addTab(recent_, QStringLiteral("Recent"));
    pages_->addTab(browsePage, QStringLiteral("Browse"));
    if (linker_)
        pages_->addTab(linkPage(), QStringLiteral("Link Tables"));
    if (recent_->count() == 0)
        pages_->setCurrentIndex(1);
    // Opened here, a database is always mapped from its schema; the box says so.
    map_->setChecked(true);
    map_->setEnabled(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!chosen().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The link page has buttons of its own; it opens nothing.
    connect(pages_, &QTabWidget::currentChanged, this,
            [buttons](int page) { buttons->setVisible(page < 2); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(map_);
    layout->addWidget(buttons);

    const WindowRect r = geometry_.load(QStringLiteral("Connect"), true);
    if (r.left && r.top)
        move(*r.left, *r.top);
}

OpenDatabaseDialog::~OpenDatabaseDialog() {
    geometry_.save(QStringLiteral("Connect"), {x(), y(), width(), height()}, true);
}

QString OpenDatabaseDialog::chosen() const {
    if (pages_->currentIndex() == 0)
        return recent_->currentItem() ? recent_->currentItem()->text() : QString();
    return path_->text().trimmed();
}

void OpenDatabaseDialog::browse() {
    const QString filter = QString::fromUtf8(databaseTypes[types_->currentIndex()].filter);
    const QString file =
        QFileDialog::getOpenFileName(this, QStringLiteral("Open Database"), path_->text(), filter);
    if (!file.isEmpty())
        path_->setText(file);
}

QWidget* OpenDatabaseDialog::linkPage() {
    auto* page = new QWidget;
    linkSource_ = new QLineEdit;
    linkSource_->setObjectName(QStringLiteral("linkSource"));
    linkSource_->setPlaceholderText(QStringLiteral("the SQLite database to link from"));
    connect(linkSource_, &QLineEdit::editingFinished, this, &OpenDatabaseDialog::readLinkSource);
    auto* browseSource = new QPushButton(QStringLiteral("Browse"));
    connect(browseSource, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getOpenFileName(this, QStringLiteral("Link from"), linkSource_->text(),
                                         QString::fromUtf8(databaseTypes[0].filter));
        if (file.isEmpty())
            return;
        linkSource_->setText(file);
        readLinkSource();
    });
    linkTables_ = new QListWidget;
    linkTables_->setObjectName(QStringLiteral("ListTable"));
    linkQueries_ = new QListWidget;
    linkQueries_->setObjectName(QStringLiteral("ListQuery"));
    for (QListWidget* list : {linkTables_, linkQueries_})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    linkNote_ = new QLabel;
    linkNote_->setWordWrap(true);
    auto* link = new QPushButton(QStringLiteral("Link Table"));
    link->setObjectName(QStringLiteral("linkTable"));
    connect(link, &QPushButton::clicked, this, &OpenDatabaseDialog::linkSelected);
    auto* done = new QPushButton(QStringLiteral("Done"));
    done->setObjectName(QStringLiteral("linkDone"));
    connect(done, &QPushButton::clicked, this, &QDialog::reject);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* source = new QHBoxLayout;
    source->addWidget(linkSource_, 1);
    source->addWidget(browseSource);
    auto* lists = new QHBoxLayout;
    auto* tables = new QVBoxLayout;
    tables->addWidget(new QLabel(QStringLiteral("Tables")));
    tables->addWidget(linkTables_);
    auto* queries = new QVBoxLayout;
    queries->addWidget(new QLabel(QStringLiteral("Queries")));
    queries->addWidget(linkQueries_);
    lists->addLayout(tables);
    lists->addLayout(queries);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(link);
    row->addWidget(done);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(source);
    layout->addLayout(lists, 1);
    layout->addWidget(linkNote_);
    layout->addLayout(row);
    return page;
}

void OpenDatabaseDialog::readLinkSource() {
    linkTables_->clear();
    linkQueries_->clear();
    const QString path = linkSource_->text().trimmed();
    if (path.isEmpty())
        return;
    const TableLinker::Source source = TableLinker::read(path);
    linkTables_->addItems(source.tables);
    linkQueries_->addItems(source.queries);
    linkNote_->setText(source.error);
}

void OpenDatabaseDialog::linkSelected() {
    QStringList names;
    for (const QListWidget* list : {linkTables_, linkQueries_})
        for (const QListWidgetItem* item : list->selectedItems())
            names << item->text();
    if (names.isEmpty()) {
        linkNote_->setText(QStringLiteral("Select the tables or queries to link"));
        return;
    }
    const int linked = linker_->link(linkSource_->text().trimmed(), names);
    linkNote_->setText(
        QStringLiteral("%1 of %2 linked into the open database").arg(linked).arg(names.size()));
}
