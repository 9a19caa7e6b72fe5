#pragma once
// Looks up a book figure's stored tables and fields in the open database before it is drawn.
// A field missing from its table is looked for in the other tables; the person picks one of
// them by number ("Select Table and Field"). Talks through Dialogs; holds the catalogue.
#include "diagram/DiagramDefinition.h"

class Dialogs;
class SchemaCatalogue;

class BookFieldResolver {
public:
    BookFieldResolver(const SchemaCatalogue& catalogue, Dialogs& dialogs)
        : catalogue_(catalogue)
        , dialogs_(dialogs) {}

    static QString choiceTitle() { return QStringLiteral("Select Table and Field"); }

    // The table that holds the field: the stored one when it does, else the one chosen; the
    // stored table when nothing else was found or chosen (after the message saying so).
    QString resolve(const QString& table, const QString& field);
    // Every table and field of the definition (axes, classifier, multi-graph sets) resolved.
    // Calculated axes and ClipData figures are left as they are.
    void resolve(DiagramDefinition& definition);

private:
    bool tableHasField(const QString& table, const QString& field) const;

    const SchemaCatalogue& catalogue_;
    Dialogs& dialogs_;
};
