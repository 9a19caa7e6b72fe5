#include "diagram/GraphAutoSave.h"

#include "diagram/FigureFile.h"

#include <QDir>
#include <QFileInfo>

QString GraphAutoSave::nextPath(const QString& graphsFolder, QDate day) {
    const QDir folder(graphsFolder);
    const QString stem = day.toString(QStringLiteral("dd_MM_yyyy_"));
    for (int n = 1;; ++n) {
        const QString path = folder.filePath(stem + QString::number(n) + FigureFile::extension());
        if (!QFileInfo::exists(path))
            return path;
    }
}

QString GraphAutoSave::save(const QString& graphsFolder, const Figure& figure, QDate day) {
    if (graphsFolder.isEmpty() || !QDir().mkpath(graphsFolder))
        return {};
    const QString path = nextPath(graphsFolder, day);
    return FigureFile::save(path, figure) ? path : QString();
}
