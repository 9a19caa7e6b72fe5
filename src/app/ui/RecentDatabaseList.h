#pragma once
// The list of recently used databases beside the child windows: up to 20 entries shortened for
// the narrow list, the full path shown as tooltip, a double click opens the entry.
#include <QListWidget>

class RecentDatabaseList : public QListWidget {
    Q_OBJECT
public:
    static constexpr int shownEntries = 20;

    explicit RecentDatabaseList(QWidget* parent = nullptr);
    void fill(const QStringList& paths);

signals:
    void openRequested(const QString& path);
};
