#pragma once
// What importing a legacy source (a Jet file, a dBase folder) into its SQLite working copy gave:
// where the copy is, whether an existing copy was used, where the copy it replaced is kept, the
// values that could not be carried over, or the reason the import failed. Plain value; made by the
// importers.
#include <QStringList>

struct ImportResult {
    QString workingCopy;
    bool reused = false;
    QString backup;       // the replaced copy, kept; empty when there was none
    QStringList warnings; // values that could not be carried over, one text each
    QString error;
    bool ok() const { return error.isEmpty(); }
};
