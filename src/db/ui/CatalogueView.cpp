#include "db/ui/CatalogueView.h"

#include "db/SessionDatabase.h"
#include "platform/qt/SheetTableModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// The links list with headings that say what each column holds.
class LinksModel : public SheetTableModel {
public:
    using SheetTableModel::SheetTableModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return SheetTableModel::headerData(section, orientation, role);
        if (section < 2)
            return section == 0 ? QStringLiteral("First table") : QStringLiteral("Second table");
        const int pair = (section - 2) / 2 + 1;
        return (section % 2 == 0 ? QStringLiteral("Key %1 of first")
                                 : QStringLiteral("Key %1 of second"))
            .arg(pair);
    }
};
} // namespace

CatalogueView::CatalogueView(SessionDatabase& session, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , window_(session, dialogs)
    , tables_(new QListWidget)
    , fields_(new QListWidget)
    , links_(new QTableView)
    , linksModel_(new LinksModel(&session.catalogue().links, this))
    , noLinks_(new QLabel) {
    setWindowTitle(CatalogueWindow::caption());
    auto* bar = new QMenuBar;
    bar->addAction(QStringLiteral("Open Links"), this, [this] {
        if (window_.openLinks())
            refresh();
    });
    bar->addAction(QStringLiteral("Save Links"), this, [this] { window_.saveLinks(); });
    bar->addAction(QStringLiteral("Build Links"), this, [this] {
        window_.buildLinks();
        refresh();
    });

    tables_->setObjectName(QStringLiteral("catalogueTables"));
    fields_->setObjectName(QStringLiteral("catalogueFields"));
    fields_->setToolTip(QStringLiteral("Key fields are shown in bold"));
    auto* schema = new QWidget;
    auto* columns = new QHBoxLayout(schema);
    const auto titled = [](const QString& title, QWidget* list) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(title));
        box->addWidget(list, 1);
        return box;
    };
    columns->addLayout(titled(QStringLiteral("Tables:"), tables_), 1);
    columns->addLayout(titled(QStringLiteral("Fields (keys in bold):"), fields_), 1);

    links_->setModel(linksModel_);
    links_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    links_->setToolTip(QStringLiteral("One row per linked pair of tables; the list ends at the "
                                      "first row without a first table"));
    noLinks_->setText(QStringLiteral("No links: diagrams and grids cannot join tables. \"Build "
                                     "Links\" links the tables on their shared key fields, "
                                     "\"Open Links\" reads a link file."));
    noLinks_->setWordWrap(true);
    auto* linksPage = new QWidget;
    auto* linksLayout = new QVBoxLayout(linksPage);
    linksLayout->addWidget(noLinks_);
    linksLayout->addWidget(links_, 1);
    auto* tabs = new QTabWidget;
    tabs->addTab(schema, QStringLiteral("&Tables and fields"));
    tabs->addTab(linksPage, QStringLiteral("&Links"));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addWidget(tabs);
    connect(tables_, &QListWidget::currentRowChanged, this, [this] { showFields(); });
    refresh();
    tables_->setFocus();
}

void CatalogueView::refresh() {
    const QString kept = tables_->currentItem() ? tables_->currentItem()->text() : QString();
    tables_->clear();
    tables_->addItems(session_.catalogue().tableNames());
    const auto found = tables_->findItems(kept, Qt::MatchExactly);
    tables_->setCurrentRow(found.isEmpty() ? 0 : tables_->row(found.front()));
    showFields();
    linksModel_->reset();
    const Sheet& links = session_.catalogue().links;
    noLinks_->setVisible(links.lastRow() == 0 || links.text(1, 1).isEmpty());
}

void CatalogueView::showFields() {
    fields_->clear();
    const QListWidgetItem* table = tables_->currentItem();
    if (!table)
        return;
    const SchemaCatalogue& catalogue = session_.catalogue();
    const QStringList keys = catalogue.keyFields(table->text());
    for (const QString& field : catalogue.fieldNames(table->text())) {
        auto* item = new QListWidgetItem(field, fields_);
        if (keys.contains(field)) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setToolTip(QStringLiteral("Key field"));
        }
    }
}
