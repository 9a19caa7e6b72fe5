#pragma once
// The index (key) fields of a table as the catalogue's index list holds them: the first row whose
// name matches, with or without brackets, and its non-empty cells from column 2 on.
#include "db/SchemaCatalogue.h"

#include <QStringList>

QStringList GetIndexFields(const SchemaCatalogue& catalogue, const QString& table);
