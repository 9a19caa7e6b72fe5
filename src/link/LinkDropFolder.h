#pragma once
// Link content from programs that cannot use the socket: files named *.qlk dropped into a
// watched folder, each read whole (at most LinkMessage::maxBytes, UTF-8), handed on in name
// order and removed. Writers should write under another name and rename, so that no half
// file is read.
#include <QFileSystemWatcher>
#include <QObject>

class LinkDropFolder : public QObject {
    Q_OBJECT
public:
    explicit LinkDropFolder(QObject* parent = nullptr);

    // Creates the folder when missing; false when it cannot be watched.
    bool watch(const QString& folder);
    QString folder() const { return folder_; }
    // Takes every link file now in the folder.
    void collect();
    // The content of a link file, or nullopt when it cannot be read or is too long.
    static std::optional<QString> read(const QString& path);

signals:
    void contentReceived(const QString& text);

private:
    QFileSystemWatcher watcher_;
    QString folder_;
};
