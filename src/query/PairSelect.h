#pragma once
// BuildPairSelect: the paired values of two fields for the statistics windows, over one or two
// tables and an optional filter, without Null rows. Empty when the tables (and filter) do not
// link, so the caller runs no cross product.
#include "query/LinkSearch.h"

QString BuildPairSelect(const LinkSearch& links, const QString& tableX, const QString& tableY,
                        const QString& filter, const QString& fieldX, const QString& fieldY);
