#pragma once
// "As Google Earth *.kml file" of the table grid: the selected rows as a placemark file, after
// the checks and with the file name taken from the grid's caption. Talks to the person only
// through Dialogs.
#include "export/KmlSettings.h"
#include "platform/RowSet.h"

#include <QStringList>
#include <vector>

class Dialogs;
class Status;

class KmlExport {
public:
    // status, when given, tells what was written and where.
    explicit KmlExport(Dialogs& dialogs, Status* status = nullptr)
        : dialogs_(dialogs)
        , status_(status) {}

    // selected: the selected rows in selection order, with the grid's column names; visible:
    // one flag per column. Returns the path written, or an empty text when nothing was.
    QString run(const RowSet& selected, const std::vector<bool>& visible,
                const KmlSettings& settings, const QString& caption, const QString& userFolder);

    // The caption's part after its first "/", without a trailing ">"; "Selection" without "/".
    static QString fileName(const QString& caption);
    static bool write(const QStringList& lines, const QString& path, QString* error);

private:
    Dialogs& dialogs_;
    Status* status_;
};
