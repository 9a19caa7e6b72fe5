#pragma once
// Graph files (".akr"): the whole drawn figure as JSON: header and subtitles, series with their
// points, labels and styles, overlay lines and texts, the three axes and the legend. A graph
// file holds the picture, not the definition it was drawn from.
#include "figure/Figure.h"
#include <QByteArray>
#include <QJsonObject>
#include <optional>

class FigureFile {
public:
    static QString fileFilter() { return QStringLiteral("Quv graph file (*.akr)|*.akr"); }
    static QString extension() { return QStringLiteral(".akr"); }
    // Shown after a graph file is opened: it holds a picture, not a query.
    static QString openedNote() {
        return QStringLiteral("Data shown in figure is not necessarily related to data in the "
                              "session database!");
    }
    static QString openError(const QString& path) {
        return QStringLiteral("Error in opening ") + path;
    }
    static QString saveError() { return QStringLiteral("Error in saving."); }

    // extras: what the window keeps beside the figure (its user objects), under "extras".
    static QByteArray toJson(const Figure& figure, const QJsonObject& extras = {});
    // nullopt when the text is not a graph file.
    static std::optional<Figure> fromJson(const QByteArray& json, QJsonObject* extras = nullptr);
    static bool save(const QString& path, const Figure& figure, const QJsonObject& extras = {});
    static std::optional<Figure> load(const QString& path, QJsonObject* extras = nullptr);
};
