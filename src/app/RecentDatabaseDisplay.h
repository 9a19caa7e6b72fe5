#pragma once
// How the database list shows a recent path: short enough for the narrow list, with the full
// path kept beside it for the tooltip and for opening.
#include <QString>

class RecentDatabaseDisplay {
public:
    // "..." and the path from its first separator that has fewer than 20 characters after it
    // ("C:\data\rocks.mdb" gives "...\data\rocks.mdb"); "..." and the whole path when there is
    // no such separator. Both "\" and "/" separate.
    static QString shortened(const QString& path);
};
