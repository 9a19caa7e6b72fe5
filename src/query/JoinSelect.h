#pragma once
// BuildJoinSelect: the multi-table fetch of the diagrams, which chains the distinct tables of the
// entries with INNER, LEFT or RIGHT JOINs on one common key field, each table joined to the one
// before it; rows with a Null in a flagged field are left out and flagged fields sort.
#include "query/FieldEntry.h"

#include <vector>

QString BuildJoinSelect(const std::vector<FieldEntry>& entries, const QString& key);
