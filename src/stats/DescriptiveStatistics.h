#pragma once
// The descriptive statistics window ("Descriptive statistics"): seventeen statistics of every
// field of a table, for the whole data (sheet "WholeData") and for each class of an optional
// classifier (one sheet per class), optionally weighted by a field; the sheets are copied as
// text and saved as a workbook. Talks to the person only through Dialogs and Status; a view
// shows sheets() after each run. Holds its caller's session, which must outlive it.
#include "platform/Dialogs.h"
#include "platform/Workbook.h"

#include <QString>
#include <functional>
#include <optional>

class LinkSearch;
class SessionDatabase;
class Sheet;
class StatisticsComponent;
class Status;

class DescriptiveStatistics {
public:
    using ClipDataSource = std::function<const Sheet*()>;

    DescriptiveStatistics(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Descriptive statistics"); }
    static QString wholeDataSheet() { return QStringLiteral("WholeData"); }
    // The statistics of rows 1 to 17, in order.
    static QStringList statisticNames();

    QString table;      // "Statistics of Table"
    QString classTable; // "Classifier Table"
    QString classField; // "Classifier Element"; no classifier when empty
    bool useClipData = false;
    bool useFilter = false;
    QString filter;      // without its "f_"
    QString weightField; // "Weighted"; none when empty

    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }

    // The SELECT of the current choices; empty (after saying why) when the tables do not link.
    QString statement(const LinkSearch& links);
    // "&Execute": fills the sheets anew. False when nothing was computed.
    bool execute();
    const Workbook& sheets() const { return sheets_; }
    Workbook& sheets() { return sheets_; }

    // "&Copy sheet" / "Copy &sheet with headers": the sheet (0-based, as the tabs count) with the
    // statistic names in front and the field names above, as tab-separated lines; nullopt after "No
    // data".
    std::optional<QString> copySheet(int index);
    // "Copy &averages": headings, then one line per sheet with its "AVG" row.
    QString copyAverages() const;
    // Saves the sheets as .xlsx, or as the program's workbook for any other extension. False
    // after "Error in writing file".
    bool save(const QString& path);

private:
    bool load(StatisticsComponent& component);
    void fill(Sheet& sheet, StatisticsComponent& component, int classIndex, int weightColumn);

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSource clipData_;
    Workbook sheets_;
};
