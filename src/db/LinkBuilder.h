#pragma once
// Rebuilds the links list from the key list: a self row for every keyed table, then a row for
// every pair of keyed tables with the key fields they share (same name, exact). A pair that
// shares no key falls back to the first name among the first three fields of both tables.
#include "db/SchemaCatalogue.h"

class LinkBuilder {
public:
    static void BuildLinks(SchemaCatalogue& catalogue);
};
