#pragma once
// Step 5 of a draw whose axes are user calculations (the "Calc" source): one SELECT reads the
// first table's key, every calculation's variables and the plain axes and classifier, and each
// calculated axis is computed per row by its equation. A row drops out where a plotted value
// is Null or a calculation gives no number, as a plain axis drops its Null rows.
#include "diagram/DiagramRowFetcher.h"

class CalcAxisFetcher {
public:
    static std::optional<DiagramRowFetcher::Failure>
    fromDatabase(SessionDatabase& session, const DiagramDefinition& d, const QString& filter,
                 FetchedRows& out, QString& statement);
};
