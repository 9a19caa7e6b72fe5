#pragma once
// The main window's list of open views. A name already in the list gets ">" put in front, at
// most ten times, so two grids of one table save to different files.
#include <QStringList>

class OpenViews {
public:
    static constexpr int maxPrefixes = 10;

    // The name as registered.
    QString add(const QString& name);
    void remove(const QString& name);
    const QStringList& names() const { return names_; }

private:
    QStringList names_;
};
