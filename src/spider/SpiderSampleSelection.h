#pragma once
// The sample selection window ("Select Samples to Plot in Spidergram"): the left list holds the
// keys of a table's samples, all of them, those of a filter, or those with data in one field or
// in all the spider type's fields (optionally not zero); the right list the samples to draw,
// all from tables with the same key fields. Talks to the person only through Dialogs.
#include "platform/CellValue.h"

#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class Dialogs;
class SessionDatabase;
class Status;

class SpiderSampleSelection {
public:
    using FieldRef = std::pair<QString, QString>; // table, field

    SpiderSampleSelection(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Select Samples to Plot in Spidergram"); }
    static QString shortName() { return QStringLiteral("SelSpiderSamples"); }

    struct Query {
        QString table;
        QString filter;                 // a filter name without "f_"; empty: none
        std::vector<FieldRef> withData; // each must hold a value
        bool notZero = false;           // "And not zero"
    };
    // The SELECT of the keys the query names.
    QString statement(const Query& query) const;
    // Fills the left list; false after the message.
    bool fill(const Query& query);
    const std::vector<CellValue>& candidates() const { return candidates_; }
    const QString& candidateTable() const { return candidateTable_; }

    // "Add" (the given rows of the left list), "Add all samples to list", "Remove selected
    // sample from list", "Remove all samples from list", "Clear List" (the left list).
    bool add(const std::vector<int>& rows);
    bool addAll();
    void remove(std::vector<int> rows);
    void removeAll() { selected_.clear(); }
    void clearList() { candidates_.clear(); }
    const std::vector<CellValue>& selected() const { return selected_; }
    const QString& selectedTable() const { return selectedTable_; }
    QString selectedKeyField() const { return selectedKeys_.value(0); }

    // "&View": the statement of the chosen samples' rows, for a grid titled
    // "Show selected spider samples in table"; empty when none are chosen.
    QString viewStatement() const;
    // "&OK": false after "Select samples to plot !" when nothing is chosen.
    bool accept();

private:
    QStringList keyFieldsOf(const QString& table) const;

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    std::vector<CellValue> candidates_;
    QString candidateTable_;
    std::vector<CellValue> selected_;
    QString selectedTable_;
    QStringList selectedKeys_;
};
