#pragma once
// The distribution window ("Distribution Histogram / Table"): the values of one field (from a
// table, optionally filtered, or from the ClipData sheet) counted into the classes of its class
// table, shown as a bar chart of n or % with an optional cumulative curve. The class table is
// generated (by range, by number of classes, by decades, regenerated from the used range) or
// typed row by row, saved to and read from class files, and each sample's class can be written
// back to the database. Talks to the person only through Dialogs and Status. Holds its caller's
// session, which must outlive it.
#include "figure/Figure.h"
#include "platform/Dialogs.h"
#include "platform/Sheet.h"
#include "stats/DistributionChart.h"
#include "stats/DistributionClass.h"
#include "stats/StatisticsComponent.h"

#include <functional>

class SessionDatabase;
class Status;

class DistributionWindow {
public:
    using ClipDataSource = std::function<const Sheet*()>;
    using Classes = std::vector<DistributionClass>;

    DistributionWindow(SessionDatabase& session, Dialogs& dialogs, Status& status);

    static QString caption() { return QStringLiteral("Distribution Histogram / Table"); }
    static QStringList tableHeadings();

    QString table, field; // "Table", "Column"
    bool useClipData = false;
    bool acceptNulls = false;
    bool useFilter = false;
    QString filter;       // without its "f_"
    int maxClasses = 100; // "Maximum number of classes"
    bool manualClasses = false;
    // "Field is:" "Forced to numerical", "Forced to text" or "Any"; "Case sensitive" for texts.
    StatisticsComponent::DistributionRead fieldIs = StatisticsComponent::DistributionRead::Numbers;
    bool caseSensitive = false;
    // The bar chart's choices: n or %, the cumulative curve, bar labels and its menus' options.
    DistributionChart chart;
    // "Classification data": the used range and either the number of classes or the range of
    // a single class, as typed.
    QString minUsed, maxUsed, classesText = QStringLiteral("10"), rangeText;

    void setClipDataSource(ClipDataSource source) { clipData_ = std::move(source); }

    // "&Draw": fetches, makes classes from the used range unless they are manual, counts.
    bool draw();
    // "Refresh Distribution" / "Redraw Graph": counts the fetched values into the classes.
    bool refresh();
    // The chart anew after a change of its options, without counting again.
    void redrawChart();
    std::optional<double> dataMin() const { return dataMin_; }
    std::optional<double> dataMax() const { return dataMax_; }
    const Figure& figure() const { return figure_; }
    bool hasFigure() const { return hasFigure_; }
    qsizetype outside() const { return counts_ ? counts_->outside : 0; }

    // The class table: headings in row 1, a row per class with its counts once counted.
    const Classes& classes() const { return classes_; }
    void setClasses(Classes classes);
    Sheet classTable() const;

    // The generators; each asks its numbers and replaces the classes. False when nothing
    // changed (a cancelled or non-numeric answer, or numbers it refuses).
    bool equalRangeByRange();
    bool equalRangeByCount();
    bool logScale();
    bool regenerate();
    // "Insert Row" before the 0-based row (at the end when row is the count).
    bool insertRow(int row);
    void deleteRow(int row);
    void clearClasses();
    bool editLabel(int row);
    // "Fill Ranges": each class reaches up to the next one's From (a gap or an overlap between
    // typed classes goes), with the flags that keep a value from counting twice. Labels still
    // made from the bounds follow. False when nothing changed.
    bool fillRanges();

    // "&View data": the fetched rows, their key (or ClipData row) and value with the class
    // ("Name") each was counted in, empty outside every class; headings in row 1. Only the
    // headings before a draw.
    Sheet dataSheet() const;
    // "Copy" of the class table; nullopt after "No data".
    std::optional<QString> copyClassTable();
    bool saveClasses(const QString& path);
    bool openClasses(const QString& path);
    // "Write in database >>": asks the field and writes each sample's class ("Name2") into it
    // by the table's key, in one transaction. False when nothing was written.
    bool writeInDatabase();

private:
    bool fetch();
    bool applyGenerated(std::optional<Classes> made, const QString& refusal);
    std::optional<double> askNumber(const QString& prompt, const QString& title);
    void rebuildFigure();

    SessionDatabase& session_;
    Dialogs& dialogs_;
    Status& status_;
    ClipDataSource clipData_;
    StatisticsComponent data_; // column 1 the key, column 2 the value
    bool fetchedFromDatabase_ = false;
    QString fetchedTable_, fetchedKey_;
    std::vector<CellValue> keys_; // as fetched, so a write finds its rows exactly
    std::optional<double> dataMin_, dataMax_;
    Classes classes_;
    std::optional<DistributionCounts> counts_;
    Figure figure_;
    bool hasFigure_ = false;
};
