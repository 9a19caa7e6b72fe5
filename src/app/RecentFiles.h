#pragma once
// The most-recent-first lists of lastfiles.ini: section "Session" for databases, "ClipData"
// for ClipData files, keys "1" to "20".
#include <QString>
#include <QStringList>

class RecentFiles {
public:
    static constexpr int size = 20;

    explicit RecentFiles(QString lastFilesIni)
        : file_(std::move(lastFilesIni)) {}

    // Puts the path first and shifts the others down, dropping an older copy of the same path
    // (exact comparison). The whole list is written in one save, with every password of a
    // server source's connection text masked.
    bool add(const QString& path, const QString& section) const;
    // Keys "1" to "20" in order; missing keys read as empty entries. A password that an older
    // version kept is masked here too.
    QStringList entries(const QString& section) const;

private:
    QString file_;
};
