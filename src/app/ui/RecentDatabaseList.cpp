#include "app/ui/RecentDatabaseList.h"

#include "app/RecentDatabaseDisplay.h"

RecentDatabaseList::RecentDatabaseList(QWidget* parent)
    : QListWidget(parent) {
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { setToolTip(item->data(Qt::UserRole).toString()); });
    connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        emit openRequested(item->data(Qt::UserRole).toString());
    });
}

void RecentDatabaseList::fill(const QStringList& paths) {
    clear();
    for (const QString& path : paths.mid(0, shownEntries)) {
        if (path.isEmpty())
            continue;
        auto* item = new QListWidgetItem(RecentDatabaseDisplay::shortened(path), this);
        item->setData(Qt::UserRole, path);
    }
}
