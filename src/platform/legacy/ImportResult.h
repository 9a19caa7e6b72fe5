#pragma once
// What importing a legacy source (a Jet file, a dBase folder) into its SQLite working copy gave:
// where the copy is, whether an up-to-date copy was reused, the values that could not be carried
// over, or the reason the import failed. Plain value; made by the importers.
#include <QStringList>

struct ImportResult {
    QString workingCopy;
    bool reused = false;
    QStringList warnings; // values that could not be carried over, one text each
    QString error;
    bool ok() const { return error.isEmpty(); }
};
