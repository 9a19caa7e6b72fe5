#pragma once
// Step 5 of a draw for one pass: the rows a definition plots, streamed straight into the plotted
// columns from the session database (through the SQL builder) or from the ClipData sheet.
#include "diagram/DiagramDefinition.h"
#include "figure/PlotTable.h"
#include "platform/Dialogs.h"

#include <optional>

class SessionDatabase;
class Sheet;

struct FetchedRows {
    PlotTable table;
    bool hasZ = false;
    bool hasClassifier = false;
    bool xDates = false, yDates = false; // the axis read dates
};

class DiagramRowFetcher {
public:
    // Why nothing was fetched: the message the window shows.
    struct Failure {
        MessageKind kind;
        QString text;
    };

    // The SELECT that was run goes to statement (the window's "Run active SQL").
    static std::optional<Failure> fromDatabase(SessionDatabase& session, const DiagramDefinition& d,
                                               const QString& filter, FetchedRows& out,
                                               QString& statement);
    // Rows of the sheet whose headings name the definition's fields; null or blank sheet: none.
    static std::optional<Failure> fromSheet(const Sheet* sheet, const DiagramDefinition& d,
                                            FetchedRows& out);
};
