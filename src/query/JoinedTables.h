#pragma once
// The FROM list and join terms of a statement over plotted or calculated fields: the tables
// joined over their links to the first one and, with a filter, the filter's view joined on its
// key field to the first table that holds that field. When the tables cannot be joined or the
// filter has no key, there are no terms but the message that says so.
#include <QStringList>

class FilterBaseSource;
class LinkSearch;
class SchemaCatalogue;

struct JoinedTables {
    QStringList from;   // bracketed tables, then the filter's view
    QString linkTerm;   // "(...)" joining the tables; empty for one table
    QString filterTerm; // "([Table].[Key]=[f_x].[Key])"; empty without a filter
    QString error;      // the message to show; empty when joined

    static QString linkError() { return QStringLiteral("Error in creating links"); }
    static QString filterKeyError(const QString& filter) {
        return QStringLiteral("Can not find Key for filter ") + filter;
    }

    // filter: the filter's name without "f_", empty for none.
    static JoinedTables build(const QStringList& tables, const QString& filter,
                              const SchemaCatalogue& catalogue, const LinkSearch& links,
                              const FilterBaseSource& filters);
};
