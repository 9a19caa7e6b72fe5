#include "app/ui/OpenDatabaseDialog.h"

#include "app/WindowGeometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
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
                                       QWidget* parent)
    : QDialog(parent)
    , geometry_(geometry)
    , pages_(new QTabWidget)
    , recent_(new QListWidget)
    , types_(new QComboBox)
    , path_(new QLineEdit)
    , map_(new QCheckBox(QStringLiteral("Map database"))) {
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
