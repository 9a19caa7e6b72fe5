#pragma once
// Automatic saving of drawn figures ("No Automatic saving", "Each time when copied to
// clipboard", "Each time when drawed"): each save writes a new graph file into the user's
// "\Graphs\" folder, named "<day>_<month>_<year>_<n>.akr" with n the first number not yet taken
// that day, so earlier files are never overwritten.
#include "figure/Figure.h"
#include <QDate>
#include <QString>

class GraphAutoSave {
public:
    enum class Mode { None, EachCopy, EachDraw };

    // The next free file name in the folder for that day.
    static QString nextPath(const QString& graphsFolder, QDate day);
    // Creates the folder when missing; the written path, empty on failure.
    static QString save(const QString& graphsFolder, const Figure& figure,
                        QDate day = QDate::currentDate());
};
