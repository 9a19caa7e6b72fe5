#pragma once
// Finds the key fields that link two tables in the catalogue's links list. Filters ("f_" names)
// are looked up through their base table; when a pair has no row, the search is tried once more
// with both names replaced by their bases, so a stored query finds the links of its table. The
// first row that names the pair, in either order, wins. Holds its caller's catalogue and filter
// source, which must outlive it. Unknown tables simply have no keys.
#include "db/SchemaCatalogue.h"
#include "query/FilterBaseSource.h"
#include "query/LinkKeys.h"

class LinkSearch {
public:
    LinkSearch(const SchemaCatalogue& catalogue, const FilterBaseSource& filters)
        : catalogue_(catalogue)
        , filters_(filters) {}

    const SchemaCatalogue& catalogue() const { return catalogue_; }

    // Names plain or bracketed; the result keeps them as given.
    LinkKeys find(const QString& first, const QString& second) const;

private:
    bool findRow(const QString& a, const QString& b, LinkKeys& keys) const;
    QString baseOr(const QString& name) const;

    const SchemaCatalogue& catalogue_;
    const FilterBaseSource& filters_;
};
